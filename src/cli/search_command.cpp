// SPDX-License-Identifier: MIT
#include "cli/search_command.h"

#include "cli/device_output.h"
#include "cli/stream_log.h"
#include "discovery/relay_page_fetch.h"
#include "upnp/port_forward_engine.h"
#include "upnp/upnp_results.h"

#include <QObject>
#include <QPointer>

#include <memory>
#include <ostream>

namespace Cli {

int RunSearch(Discovery::DiscoveryState& state, const SearchOptions& options,
              const Discovery::NetworkEndpoints& endpoints, const std::optional<Upnp::UpnpSearchOptions>& upnp)
{
    Discovery::SearchSettings settings;
    settings.localBroadcast = !options.relayHost.has_value();
    settings.relayHost = options.relayHost.value_or("");
    settings.transport = options.transport;
    settings.interfaces = options.interfaces;
    state.projectFilter = options.project;

    // The engine wants the object that started it; here that is one that
    // lives for the command.
    QObject starter;
    std::unique_ptr<Upnp::UpnpSearchEngine> engine;
    if (upnp)
        engine = std::make_unique<Upnp::UpnpSearchEngine>(*upnp);

    int shown = 0;
    Discovery::SearchRoundHooks hooks;
    hooks.closed = [&](int rows) { shown = rows; };
    hooks.fetchRelayPage = [](const std::string& url) { return Discovery::FetchRelayPage(url); };
    if (engine) {
        hooks.startUpnp = [&] {
            if (!engine->StartSearch(QPointer<QObject>(&starter)))
                state.log().append("UPnP search could not be started\n");
        };
        hooks.handOverToUpnp = [] { return true; };
    }
    if (Discovery::RunSearchRound(state, settings, hooks, endpoints) != Discovery::RoundEnd::HandedOver)
        return shown;

    // The results routine's part, without a window: wait for the search
    // (it ends by itself within its time limit), then add its rows.
    std::vector<Upnp::UpnpDeviceInfo> devices;
    if (const std::shared_ptr<Upnp::ManualResetEvent> done = engine->doneEvent()) {
        done->wait();
        devices = engine->devicesSnapshot();
    }
    const Upnp::ResultsOutcome outcome = Upnp::ApplyUpnpResults(state, devices);
    engine->closeDoneEvent();
    return outcome.end == Upnp::ResultsEnd::Done ? outcome.shown : Upnp::CloseUpnpRound(state.grid);
}

Upnp::UpnpSearchOptions UpnpOptionsFor(const SearchOptions& options)
{
    Upnp::UpnpSearchOptions upnp;
    if (!options.interfaces.empty())
        upnp.interfaces = options.interfaces;
    return upnp;
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
    const int shown = RunSearch(state, *options, {}, UpnpOptionsFor(*options));
    // The list is cut short: say so even when the log is quiet (unquiet, the log said it).
    if (options->quiet && state.deviceLimitReached())
        err << "quendrel-cli search: device limit of " << state.deviceLimit
            << " reached; further replies ignored\n";
    out << FormatDevices(state, shown, options->format);
    return 0;
}

} // namespace Cli
