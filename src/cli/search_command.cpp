// SPDX-License-Identifier: MIT
#include "cli/search_command.h"

#include "cli/device_output.h"
#include "cli/stream_log.h"
#include "discovery/relay_page_fetch.h"

#include <ostream>

namespace Cli {

int RunSearch(Discovery::DiscoveryState& state, const SearchOptions& options,
              const Discovery::NetworkEndpoints& endpoints)
{
    Discovery::SearchSettings settings;
    settings.localBroadcast = !options.relayHost.has_value();
    settings.relayHost = options.relayHost.value_or("");
    settings.transport = options.transport;
    settings.interfaces = options.interfaces;
    state.projectFilter = options.project;

    int shown = 0;
    Discovery::SearchRoundHooks hooks;
    hooks.closed = [&](int rows) { shown = rows; };
    hooks.fetchRelayPage = [](const std::string& url) { return Discovery::FetchRelayPage(url); };
    Discovery::RunSearchRound(state, settings, hooks, endpoints);
    return shown;
}

int SearchCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    std::string error;
    const std::optional<SearchOptions> options = ParseSearchOptions(args, error);
    if (!options) {
        err << "quendrel-cli search: " << error << '\n';
        return 2;
    }
    StreamLog log(err, options->quiet);
    Discovery::DiscoveryState state(log);
    const int shown = RunSearch(state, *options);
    out << FormatDevices(state, shown, options->format);
    return 0;
}

} // namespace Cli
