// SPDX-License-Identifier: MIT
#include "round_runner.h"

#include <QEventLoop>
#include <QTimer>

namespace TestSupport {


Discovery::SearchSettings RelaySettings(const std::string& host, const std::string& transport)
{
    Discovery::SearchSettings settings;
    settings.localBroadcast = false;
    settings.relayHost = host;
    settings.transport = transport;
    return settings;
}

RoundSeen RunRound(Discovery::SearchSession& session, const Discovery::DiscoveryState& state,
                   const Discovery::SearchSettings& settings, const std::string& projectFilter,
                   std::chrono::milliseconds limit)
{
    using Session = Discovery::SearchSession;
    RoundSeen seen;
    QEventLoop loop;
    QObject context;
    QObject::connect(&session, &Session::searching, &context, [&] { seen.events.push_back("searching"); });
    QObject::connect(&session, &Session::rowsChanged, &context, [&] {
        if (session.state() == Session::State::Searching)
            seen.listedWhileSearching = state.devices.size();
        if (seen.events.empty() || seen.events.back() != "rows")
            seen.events.push_back("rows");
    });
    QObject::connect(&session, &Session::upnpWaiting, &context, [&] { seen.events.push_back("upnpWaiting"); });
    QObject::connect(&session, &Session::finished, &context, [&](int shown) {
        seen.events.push_back("finished");
        seen.shown = shown;
        seen.ended = true;
        loop.quit();
    });
    QTimer::singleShot(limit, &context, [&] { loop.quit(); });
    if (!session.start(settings, projectFilter))
        return seen;
    loop.exec();
    seen.end = session.lastEnd();
    seen.problem = session.lastProblem();
    return seen;
}

RoundSeen RunRound(Discovery::DiscoveryState& state, const Discovery::SearchSettings& settings,
                   const Discovery::NetworkEndpoints& endpoints)
{
    Discovery::SearchSession session(state, std::nullopt);
    session.setEndpoints(endpoints);
    return RunRound(session, state, settings, state.projectFilter);
}

} // namespace TestSupport
