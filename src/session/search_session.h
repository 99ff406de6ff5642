// SPDX-License-Identifier: MIT
#pragma once

#include "discovery/discovery_state.h"
#include "discovery/search_road.h"
#include "discovery/search_round.h"
#include "upnp/search_options.h"
#include "upnp/upnp_device_info.h"

#include <QObject>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace Upnp {
class UpnpSearchEngine;
}

namespace Discovery {

// The search-method choice as both the window's controls and the CLI's
// options give it: no relay host means a local broadcast.
SearchSettings MakeSearchSettings(const std::optional<std::string>& relayHost,
                                  const std::string& transport,
                                  const std::vector<std::string>& interfaces = {});

// One search round from start to end, for the window and the CLI alike, on
// the caller's event loop: nothing here blocks or waits. The session is the
// one place that knows a round's order: the UPnP search first when the
// project filter admits it, the list and the grid emptied, the road the
// settings choose, then the hand-over to the UPnP results or the closing.
//
// States: idle -> searching (the road runs; devicesAdded reach the caller
// as rowsChanged) -> idle when the round closes itself, or -> waiting for
// the UPnP results -> idle. Every signal comes on the session's thread,
// after start() has returned. cancel(), or destroying the session, ends a
// round at any point: sockets and fetches closed, the UPnP worker stopped,
// no signal after it.
class SearchSession final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY(SearchSession)

public:
    enum class State { Idle, Searching, WaitingForUpnp };
    // How the last round ended: it closed itself (sorted), the UPnP results
    // closed it, or they were dropped because the filter changed meanwhile
    // (the count label is then left as it was).
    enum class End { ClosedItself, UpnpRows, UpnpDropped };

    // Without UPnP options the session never searches for UPnP devices and
    // every round closes itself.
    SearchSession(DiscoveryState& state, std::optional<Upnp::UpnpSearchOptions> upnp,
                  QObject* parent = nullptr);
    ~SearchSession() override;

    // Where the round's datagrams go; tests point them at loopback.
    void setEndpoints(const NetworkEndpoints& endpoints) { m_endpoints = endpoints; }
    // The project filter as it reads when the UPnP results come in (the
    // user may change it during the wait); the round's own by default.
    void setFilterAtResults(std::function<std::string()> read) { m_filterAtResults = std::move(read); }

    // Starts one round and returns at once. Refused (false, one log line,
    // nothing changed) while a round runs or its UPnP results are still to come.
    bool start(const SearchSettings& settings, const std::string& projectFilter);
    // Ends the round now, silently; the list and the grid keep what came.
    void cancel();

    State state() const { return m_roundState; }
    // True from the UPnP search's start until its results have been taken:
    // the window's close check.
    bool upnpBusy() const;
    End lastEnd() const { return m_lastEnd; }
    // What kept the last round's road from hearing devices, if it knows.
    RoadProblem lastProblem() const { return m_problem; }
    const std::string& lastProblemDetail() const { return m_problemDetail; }
    // The UPnP records of the last search, for the UPnP detail dialog.
    std::vector<Upnp::UpnpDeviceInfo> upnpDevices() const;

signals:
    // The list and the grid are empty; the road runs now.
    void searching();
    // Devices came into the list (and rows into the grid), or rows changed.
    void rowsChanged();
    // The road is done; the UPnP results will end the round.
    void upnpWaiting();
    // The round is over with `shownRows` devices in the grid.
    void finished(int shownRows);

private:
    void roadFinished();
    void closeItself();
    void upnpSearchEnded();
    void takeUpnpResults();
    void endRound(End end, int shownRows);

    DiscoveryState& m_state;
    NetworkEndpoints m_endpoints;
    std::function<std::string()> m_filterAtResults;
    std::unique_ptr<Upnp::UpnpSearchEngine> m_engine;
    // The running road; the one before stays until the next start, so a
    // start from inside a road's last signal never frees it under its feet.
    std::unique_ptr<SearchRoad> m_road;
    std::unique_ptr<SearchRoad> m_previousRoad;
    State m_roundState = State::Idle;
    bool m_upnp = false;        // this round searches for UPnP devices
    bool m_upnpStarted = false; // its UPnP search is running or done
    bool m_upnpEnded = false;   // its completion has arrived
    End m_lastEnd = End::ClosedItself;
    RoadProblem m_problem = RoadProblem::None;
    std::string m_problemDetail;
};

} // namespace Discovery
