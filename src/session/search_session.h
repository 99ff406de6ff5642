// SPDX-License-Identifier: MIT
#pragma once

#include "discovery/discovery_state.h"
#include "discovery/search_round.h"
#include "upnp/search_options.h"

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

// One search round from start to end, for the window and the CLI alike: the
// roads (UDP broadcast, TCP or UDP relay, HTTP command), the UPnP search
// when the project filter admits it, and the UPnP results mapped into the
// device list and the grid.
//
// States: idle -> searching (inside start(); the roads block the caller's
// thread) -> idle again when the round closes itself, or -> waiting for the
// UPnP results -> idle. Signals are emitted on the session's own thread:
// searching() and a round that closes itself from inside start(), the UPnP
// end later from the caller's event loop, after the engine's worker has
// posted its completion there. The results are applied all at once on that
// thread, so the grid never changes under the caller half-way.
class SearchSession final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY(SearchSession)

public:
    // How the last round ended.
    enum class End { ClosedItself, UpnpRows, UpnpDropped };
    // finished()'s count when the UPnP results were dropped because the
    // filter no longer admitted them: nothing was counted.
    static constexpr int kNotCounted = -1;

    // Without UPnP options the session never searches for UPnP devices and
    // every round closes itself.
    SearchSession(DiscoveryState& state, std::optional<Upnp::UpnpSearchOptions> upnp,
                  QObject* parent = nullptr);
    ~SearchSession() override;

    // Where the round's datagrams go; tests point them at loopback.
    void setEndpoints(const NetworkEndpoints& endpoints) { m_endpoints = endpoints; }
    // The project filter as it reads when the UPnP results come in (the
    // user may change it during the wait); the round's own by default.
    void setFilterAtResults(std::function<std::string()> read)
    {
        m_filterAtResults = std::move(read);
    }

    // Runs one round. Refused (false, one log line, nothing changed) while a
    // round runs or its UPnP results are still to come.
    bool start(const SearchSettings& settings, const std::string& projectFilter);

    // True from a hand-over to the UPnP results until they are in.
    bool upnpPending() const { return m_upnpPending; }
    // True from the UPnP search's start until its results have been taken:
    // the window's close check.
    bool upnpBusy() const;
    // The engine, for the UPnP detail dialog; null without UPnP options.
    Upnp::UpnpSearchEngine* upnpEngine() { return m_engine.get(); }
    End lastEnd() const { return m_lastEnd; }

signals:
    // The list and the grid are empty; the roads run now.
    void searching();
    // The roads are done; the UPnP results will end the round.
    void upnpWaiting();
    // The round is over: `shownRows` devices are in the grid, or kNotCounted.
    void finished(int shownRows);

private:
    void StartUpnpSearch();
    bool HandOverToUpnp();
    void UpnpSearchEnded();
    void TakeUpnpResults();

    DiscoveryState& m_state;
    NetworkEndpoints m_endpoints;
    std::function<std::string()> m_filterAtResults;
    bool m_roundRunning = false;
    bool m_upnpPending = false;
    bool m_upnpStarted = false; // this round's UPnP search is running or done
    bool m_upnpEnded = false;   // its completion has arrived
    End m_lastEnd = End::ClosedItself;
    std::unique_ptr<Upnp::UpnpSearchEngine> m_engine;
};

} // namespace Discovery
