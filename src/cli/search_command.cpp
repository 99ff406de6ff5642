// SPDX-License-Identifier: MIT
#include "cli/search_command.h"

#include "cli/device_output.h"
#include "cli/firewall_hint.h"
#include "cli/stop_signals.h"
#include "cli/stream_log.h"
#include "session/search_session.h"

#include <QEventLoop>
#include <QObject>

#include <ostream>

namespace Cli {

Discovery::SearchSettings SettingsFor(const SearchOptions& options)
{
    return Discovery::MakeSearchSettings(options.relayHost, options.transport, options.interfaces);
}

RoundReport RunRound(Discovery::DiscoveryState& state, const SearchOptions& options,
                     const Discovery::NetworkEndpoints& endpoints, const std::optional<Upnp::UpnpSearchOptions>& upnp)
{
    RoundReport report;
    Discovery::SearchSession session(state, upnp);
    session.setEndpoints(endpoints);
    QEventLoop loop;
    QObject::connect(&session, &Discovery::SearchSession::finished, &loop, [&](int rows) {
        report.shown = rows;
        loop.quit();
    });
    StopSignals stop;
    stop.whenSignalled([&] {
        report.interrupted = true;
        session.cancel();
        loop.quit();
    });
    // Every signal of a round comes after start() has returned.
    if (!session.start(SettingsFor(options), options.project))
        return report;
    loop.exec();
    report.problem = session.lastProblem();
    report.problemDetail = session.lastProblemDetail();
    return report;
}

int RunSearch(Discovery::DiscoveryState& state, const SearchOptions& options,
              const Discovery::NetworkEndpoints& endpoints, const std::optional<Upnp::UpnpSearchOptions>& upnp)
{
    return RunRound(state, options, endpoints, upnp).shown;
}

std::string ReplyPortProblem(const RoundReport& report, const Discovery::NetworkEndpoints& endpoints)
{
    if (report.problem != Discovery::RoadProblem::ReplyPortUnavailable)
        return {};
    return "cannot listen for answers on UDP port " + std::to_string(endpoints.replyPort) + ": " +
           report.problemDetail + " (is another program using it?)";
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
    const RoundReport report = RunRound(state, *options, {}, UpnpOptionsFor(*options));
    if (report.interrupted)
        return kInterruptedStatus;
    const int shown = report.shown;
    // The list is cut short: say so even when the log is quiet (unquiet, the log said it).
    if (options->quiet && state.deviceLimitReached())
        err << "quendrel-cli search: device limit of " << state.deviceLimit
            << " reached; further replies ignored\n";
    out << FormatDevices(state, shown, options->format, options->allFields, Discovery::BroadcastInterfaces());
    // Said even when quiet: an empty list from a search that could not
    // listen is no answer at all.
    if (const std::string problem = ReplyPortProblem(report, {}); !problem.empty()) {
        err << "quendrel-cli search: " << problem << '\n';
        return 1;
    }
    if (shown == 0 && !options->quiet)
        PrintFirewallHint(err);
    return 0;
}

} // namespace Cli
