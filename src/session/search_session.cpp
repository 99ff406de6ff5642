// SPDX-License-Identifier: MIT
#include "session/search_session.h"

#include "discovery/relay_page_fetch.h"
#include "upnp/port_forward_engine.h"
#include "upnp/upnp_results.h"

#include <QMetaObject>
#include <QPointer>

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

SearchSession::SearchSession(DiscoveryState& state, std::optional<Upnp::UpnpSearchOptions> upnp,
                             QObject* parent)
    : QObject(parent), m_state(state)
{
    if (upnp)
        m_engine = std::make_unique<Upnp::UpnpSearchEngine>(std::move(*upnp));
}

// The engine goes first: its stopped search ends the worker, whose posted
// completion dies with this object unread.
SearchSession::~SearchSession()
{
    m_engine.reset();
}

bool SearchSession::upnpBusy() const
{
    return m_engine && m_engine->doneEvent() != nullptr;
}

bool SearchSession::start(const SearchSettings& settings, const std::string& projectFilter)
{
    // The caller's button stays disabled meanwhile; a start that still comes
    // (from code, or from an event the relay page's wait delivers) must not
    // race the running round or its UPnP results over the grid.
    if (m_upnpPending) {
        m_state.log().append("Search refused: the last round's UPnP results are still to come\n");
        return false;
    }
    if (m_roundRunning) {
        m_state.log().append("Search refused: a round is already running\n");
        return false;
    }
    m_roundRunning = true;
    m_upnpStarted = false;
    m_upnpEnded = false;
    m_state.projectFilter = projectFilter;

    SearchRoundHooks hooks;
    hooks.fetchRelayPage = [wait = m_endpoints.relayPageWait](const std::string& url) {
        return FetchRelayPage(url, wait);
    };
    hooks.searching = [this] { emit searching(); };
    hooks.closed = [this](int shownRows) {
        m_lastEnd = End::ClosedItself;
        m_roundRunning = false;
        emit finished(shownRows);
    };
    if (m_engine) {
        hooks.startUpnp = [this] { StartUpnpSearch(); };
        hooks.handOverToUpnp = [this] { return HandOverToUpnp(); };
    }
    RunSearchRound(m_state, settings, hooks, m_endpoints);
    return true;
}

void SearchSession::StartUpnpSearch()
{
    // The engine posts the completion to this object's thread once its
    // worker has set the event and marked itself idle, so the next round's
    // start always finds it free.
    m_upnpStarted = m_engine->StartSearch(QPointer<QObject>(this), [this] { UpnpSearchEnded(); });
    if (!m_upnpStarted)
        m_state.log().append("UPnP search could not be started\n");
}

bool SearchSession::HandOverToUpnp()
{
    m_roundRunning = false;
    m_upnpPending = true;
    emit upnpWaiting();
    // Results that are in already (or a search that never started) still end
    // the round from the event loop, after start() has returned.
    if (!m_upnpStarted || m_upnpEnded)
        QMetaObject::invokeMethod(
            this, [this] { TakeUpnpResults(); }, Qt::QueuedConnection);
    return true;
}

void SearchSession::UpnpSearchEnded()
{
    m_upnpEnded = true;
    // A completion that the relay page's wait delivers during the roads
    // waits for the hand-over.
    if (m_upnpPending)
        TakeUpnpResults();
}

void SearchSession::TakeUpnpResults()
{
    if (!m_upnpPending)
        return;
    m_upnpPending = false;
    if (m_filterAtResults)
        m_state.projectFilter = m_filterAtResults();
    // A round whose UPnP search never started lists none of an earlier
    // search's devices as found now.
    const std::vector<Upnp::UpnpDeviceInfo> devices =
        m_upnpStarted ? m_engine->devicesSnapshot() : std::vector<Upnp::UpnpDeviceInfo>{};
    const Upnp::ResultsOutcome outcome = Upnp::ApplyUpnpResults(m_state, devices);
    m_engine->closeDoneEvent();
    if (outcome.end == Upnp::ResultsEnd::Done) {
        m_lastEnd = End::UpnpRows;
        emit finished(outcome.shown);
    } else {
        m_lastEnd = End::UpnpDropped;
        emit finished(kNotCounted);
    }
}

} // namespace Discovery
