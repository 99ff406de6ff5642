// SPDX-License-Identifier: MIT
#include "session/search_session.h"

#include "discovery/project_filter.h"
#include "upnp/port_forward_engine.h"
#include "upnp/upnp_results.h"

#include <QPointer>

#include <algorithm>
#include <utility>

namespace Discovery {

SearchSettings MakeSearchSettings(const std::optional<std::string>& relayHost,
                                  const std::string& transport,
                                  const std::vector<std::string>& interfaces)
{
    SearchSettings settings;
    settings.localBroadcast = !relayHost.has_value();
    settings.relayHost = relayHost.value_or("");
    settings.transport = transport;
    settings.interfaces = interfaces;
    return settings;
}

SearchSession::SearchSession(DiscoveryState& state, std::optional<Upnp::UpnpSearchOptions> upnp, QObject* parent)
    : QObject(parent), m_state(state)
{
    if (upnp)
        m_engine = std::make_unique<Upnp::UpnpSearchEngine>(std::move(*upnp));
}

SearchSession::~SearchSession()
{
    cancel();
}

bool SearchSession::upnpBusy() const
{
    return m_engine && m_engine->doneEvent() != nullptr;
}

std::vector<Upnp::UpnpDeviceInfo> SearchSession::upnpDevices() const
{
    return m_engine ? m_engine->devicesSnapshot() : std::vector<Upnp::UpnpDeviceInfo>{};
}

bool SearchSession::start(const SearchSettings& settings, const std::string& projectFilter)
{
    // The caller's button stays disabled meanwhile; a start that still comes
    // (from code, or after a relay road gave the button back) must not race
    // the running round or its UPnP results over the grid.
    if (m_roundState == State::WaitingForUpnp) {
        m_state.log().append("Search refused: the last round's UPnP results are still to come\n");
        return false;
    }
    if (m_roundState == State::Searching) {
        m_state.log().append("Search refused: a round is already running\n");
        return false;
    }
    m_state.projectFilter = projectFilter;
    m_problem = RoadProblem::None;
    m_problemDetail.clear();
    m_upnpStarted = m_upnpEnded = false;
    m_upnp = m_engine && FilterAdmitsUpnp(projectFilter);
    if (m_upnp) {
        // Posted to this object once the worker is idle again, so the next
        // round's start always finds the engine free.
        m_upnpStarted = m_engine->StartSearch(QPointer<QObject>(this), [this] { upnpSearchEnded(); });
        if (!m_upnpStarted)
            m_state.log().append("UPnP search could not be started\n");
    }

    m_state.clearForRound();
    m_roundState = State::Searching;
    m_previousRoad = std::move(m_road);
    m_road = MakeSearchRoad(m_state, settings, m_endpoints);
    connect(m_road.get(), &SearchRoad::devicesAdded, this, &SearchSession::rowsChanged);
    // Queued: the road's own stack is over before the round moves on.
    connect(m_road.get(), &SearchRoad::finished, this, &SearchSession::roadFinished, Qt::QueuedConnection);
    emit searching();
    emit rowsChanged();
    m_road->start();
    return true;
}

void SearchSession::cancel()
{
    if (m_roundState == State::Idle)
        return;
    m_roundState = State::Idle;
    if (m_road) {
        m_road->disconnect(this);
        m_road->cancel();
    }
    if (m_upnpStarted)
        m_engine->cancel();
    m_state.finishRound();
}

void SearchSession::roadFinished()
{
    if (m_roundState != State::Searching)
        return;
    m_problem = m_road->problem();
    m_problemDetail = m_road->problemDetail();
    if (!m_upnp) {
        closeItself();
        return;
    }
    m_roundState = State::WaitingForUpnp;
    emit upnpWaiting();
    // Results that are in already (or a search that never started) end the round now.
    if (!m_upnpStarted || m_upnpEnded)
        takeUpnpResults();
}

// A round without UPnP sorts its rows by model, descending, and leaves one
// blank row under the header when it found nothing.
void SearchSession::closeItself()
{
    int shown = 0;
    DeviceGrid& grid = m_state.grid;
    if (grid.gridRowCount() < 2) {
        grid.setGridRowCount(2);
        grid.setFixedRows(1);
    } else {
        m_state.sortAscending = false;
        SortDeviceGrid(grid, DeviceGrid::kModelColumn, m_state.sortAscending);
        shown = grid.gridRowCount() - 1;
    }
    endRound(End::ClosedItself, shown);
}

void SearchSession::upnpSearchEnded()
{
    m_upnpEnded = true;
    if (m_roundState == State::WaitingForUpnp)
        takeUpnpResults();
}

void SearchSession::takeUpnpResults()
{
    if (m_filterAtResults)
        m_state.projectFilter = m_filterAtResults();
    // A round whose UPnP search never started lists none of an earlier
    // search's devices as found now.
    const std::vector<Upnp::UpnpDeviceInfo> devices =
        m_upnpStarted ? m_engine->devicesSnapshot() : std::vector<Upnp::UpnpDeviceInfo>{};
    const Upnp::ResultsOutcome outcome = Upnp::ApplyUpnpResults(m_state, devices);
    m_engine->closeDoneEvent();
    if (outcome.end == Upnp::ResultsEnd::Done)
        endRound(End::UpnpRows, outcome.shown);
    else
        endRound(End::UpnpDropped, std::max(0, m_state.grid.gridRowCount() - 1));
}

void SearchSession::endRound(End end, int shownRows)
{
    m_roundState = State::Idle;
    m_lastEnd = end;
    m_state.finishRound();
    emit rowsChanged();
    emit finished(shownRows);
}

} // namespace Discovery
