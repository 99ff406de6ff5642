// SPDX-License-Identifier: MIT
#pragma once

#include "discovery/discovery_state.h"
#include "discovery/search_round.h"

#include <QObject>
#include <QTimer>

#include <chrono>
#include <memory>
#include <string>

namespace Discovery {

// The road a round's settings choose: the relay's HTTP page when "IP Relay"
// reads exactly "HttpCmd", the relay's TCP answer when exactly "TCP", and
// datagrams otherwise (local broadcast, or the relay over UDP).
enum class RoadKind { Datagram, TcpRelay, RelayPage };
RoadKind KindOfRoad(const SearchSettings& settings);

// What kept a road from hearing any device, when it knows.
enum class RoadProblem {
    None,
    ReplyPortUnavailable, // the reply port could not be opened (held by another program)
    NoAdapter,            // no adapter is up and able to broadcast
};

// One way of asking the devices, run on the caller's event loop: start()
// returns at once, and the road fills the round's device list and grid as
// answers arrive, telling the caller through its signals. Nothing of it
// blocks or waits on the thread that owns it.
class SearchRoad : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY(SearchRoad)

public:
    explicit SearchRoad(DiscoveryState& state) : m_state(state) {}
    // Destroying a road cancels it.
    ~SearchRoad() override = default;

    virtual void start() = 0;
    // Ends the road at once: every socket and fetch closed, no signal after.
    virtual void cancel() = 0;

    RoadProblem problem() const { return m_problem; }
    // The system's words for the problem, e.g. "Address already in use".
    const std::string& problemDetail() const { return m_problemDetail; }

signals:
    // New devices are in the list (and those that pass the filter in the grid).
    void devicesAdded();
    // The road is over; sent once, after start() has returned.
    void finished();

protected:
    using Clock = std::chrono::steady_clock;

    DiscoveryState& state() { return m_state; }
    // Starts the single-shot `timer` so it fires at `when` (at once if past).
    static void ArmAt(QTimer& timer, Clock::time_point when);
    void setProblem(RoadProblem problem, std::string detail = {})
    {
        m_problem = problem;
        m_problemDetail = std::move(detail);
    }

private:
    DiscoveryState& m_state;
    RoadProblem m_problem = RoadProblem::None;
    std::string m_problemDetail;
};

// The road for `settings`, working on `state`.
std::unique_ptr<SearchRoad> MakeSearchRoad(DiscoveryState& state, const SearchSettings& settings,
                                           const NetworkEndpoints& endpoints);

} // namespace Discovery
