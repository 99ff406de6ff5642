// SPDX-License-Identifier: MIT
#include "cli/search_command.h"

#include "cli/device_output.h"
#include "cli/firewall_hint.h"
#include "cli/stream_log.h"
#include "session/search_session.h"
#include "upnp/upnp_results.h"

#include <QEventLoop>
#include <QObject>

#include <ostream>

namespace Cli {

Discovery::SearchSettings SettingsFor(const SearchOptions& options)
{
    return Discovery::MakeSearchSettings(options.relayHost, options.transport, options.interfaces);
}

int RunSearch(Discovery::DiscoveryState& state, const SearchOptions& options,
              const Discovery::NetworkEndpoints& endpoints, const std::optional<Upnp::UpnpSearchOptions>& upnp)
{
    Discovery::SearchSession session(state, upnp);
    session.setEndpoints(endpoints);
    std::optional<int> shown;
    QEventLoop* waiting = nullptr;
    QObject::connect(&session, &Discovery::SearchSession::finished, [&](int rows) {
        shown = rows;
        if (waiting)
            waiting->quit();
    });
    session.start(SettingsFor(options), options.project);
    // A round that hands its end to the UPnP results is over once they are
    // in; the UPnP search ends by itself within its time limit.
    if (!shown) {
        QEventLoop loop;
        waiting = &loop;
        loop.exec();
    }
    return *shown == Discovery::SearchSession::kNotCounted ? Upnp::CloseUpnpRound(state.grid) : *shown;
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
    out << FormatDevices(state, shown, options->format, Discovery::BroadcastInterfaces());
    if (shown == 0 && !options->quiet)
        PrintFirewallHint(err);
    return 0;
}

} // namespace Cli
