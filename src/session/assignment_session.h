// SPDX-License-Identifier: MIT
#pragma once

#include "discovery/address_assignment.h"
#include "discovery/address_in_use.h"
#include "discovery/address_plan.h"
#include "discovery/discovery_state.h"
#include "discovery/log_sink.h"
#include "discovery/network_interfaces.h"
#include "discovery/search_round.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace Discovery {

class SearchSession;

// How long the devices get between two searches while they restart.
inline constexpr int kRecheckEveryMs = 3000;

// A device to give an address: as a search found it, with the adapter its
// answer came in on (0: unknown).
struct AssignTarget {
    DeviceInfo device;
    unsigned adapter = 0;
};

// Why a plan cannot be sent.
struct PlanProblem {
    enum class Kind { TooFewAddresses, AddressTaken };
    Kind kind = Kind::TooFewAddresses;
    std::size_t found = 0;  // TooFewAddresses: the free addresses there were
    std::size_t target = 0; // AddressTaken: whose given address is taken
    std::string reason;     // AddressTaken: the skip reason
};

// What sending a checked plan did: the packages that left, and a line for
// each that did not or took another way.
struct SendReport {
    int sent = 0;
    std::vector<std::string> notes;
};

// Giving many devices static addresses at once, for the window and the CLI
// alike, on the caller's event loop: nothing here blocks or waits.
//
// plan...() makes the plan: upward from a first address, skipping what is
// taken, or each device's own address. Asking the LAN who answers ARP takes
// up to a few seconds; `planned` comes when that is done. Without asking it
// the plan is ready when the call returns. Every package then passes the
// setup check before any is sent (send() refuses the whole plan otherwise),
// and after sending the session searches every few seconds, on its own
// device list, until every device answered from its new address, the wait
// ended or stop() was called: `statusChanged` after each search,
// `finished` at the end.
class AssignmentSession final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY(AssignmentSession)

public:
    explicit AssignmentSession(LogSink& log, QObject* parent = nullptr);
    ~AssignmentSession() override;

    // Where the datagrams go; tests point them at loopback.
    void setEndpoints(const NetworkEndpoints& endpoints) { m_endpoints = endpoints; }
    // How the packages and the searches after them travel: a local
    // broadcast (on the adapters it names, or every one that can) by
    // default, or the relay host the window searched through.
    void setSearchSettings(SearchSettings settings) { m_settings = std::move(settings); }
    void setRecheckEvery(int milliseconds) { m_recheckEveryMs = milliseconds; }

    // What is known to be taken without asking the LAN: this PC's addresses
    // and every address a device of `devices` holds.
    static TakenAddresses KnownTaken(const std::vector<DeviceInfo>& devices);

    // Plans addresses upward from `range.from` in its subnet, one for each
    // target in the order given. With `askLan` the LAN is asked through the
    // targets' adapters (among `adapters`) and `planned` follows.
    void planRange(std::vector<AssignTarget> targets, const AddressRange& range, const TakenAddresses& taken,
                   const std::vector<NetworkInterface>& adapters, bool askLan);
    // Plans the address each target is given (its ip, netmask, gateway, dns
    // already in `assignments`), refusing one that is taken.
    void planGiven(std::vector<Assignment> assignments, const TakenAddresses& taken,
                   const std::vector<NetworkInterface>& adapters, bool askLan);
    // Drops a plan still asking the LAN.
    void cancelPlan();

    bool planning() const { return m_check.running(); }
    const std::vector<Assignment>& assignments() const { return m_assignments; }
    const std::vector<SkippedAddress>& skipped() const { return m_skipped; }
    const std::optional<PlanProblem>& problem() const { return m_problem; }
    // Planned addresses no adapter could ask the LAN about.
    const std::set<std::uint32_t>& unchecked() const { return m_unchecked; }

    // Why the plan's packages cannot go, in words for the user (naming the
    // device): nothing when every one passes the setup check and fits.
    std::optional<std::string> checkPackages();
    // Checks and sends every package through its device's adapter, then
    // searches for the devices for up to `waitSeconds`. Refused (nothing
    // sent, the reason returned) when a package fails its check or a plan
    // is being made or is incomplete.
    std::optional<std::string> send(int waitSeconds, SendReport& report);
    // Ends the waiting now: `finished` follows.
    void stop();
    bool verifying() const { return m_verifying; }
    int secondsSinceSent() const;

signals:
    void planned();
    void statusChanged();
    void finished();

private:
    void replanRange();
    void checkGiven();
    void askLan();
    void lanAnswered();
    std::vector<NetworkInterface> probeAdapters() const;
    void searchAgain();
    void searchEnded();
    void endWaiting();

    LogSink& m_log;
    NetworkEndpoints m_endpoints;
    SearchSettings m_settings;
    int m_recheckEveryMs = kRecheckEveryMs;

    // The plan being made.
    enum class Mode { Range, Given } m_mode = Mode::Range;
    std::vector<AssignTarget> m_targets;
    AddressRange m_range;
    TakenAddresses m_taken;
    std::vector<NetworkInterface> m_adapters;
    std::set<std::uint32_t> m_asked, m_inUse, m_unchecked;
    NeighbourCheck m_check;
    std::vector<Assignment> m_assignments;
    std::vector<SkippedAddress> m_skipped;
    std::optional<PlanProblem> m_problem;

    // Sending and waiting.
    std::vector<DeviceInfo> m_records;
    DiscoveryState m_round;
    std::unique_ptr<SearchSession> m_search;
    QTimer m_recheck;
    QElapsedTimer m_sinceSent;
    qint64 m_waitMs = 0;
    bool m_verifying = false;
};

} // namespace Discovery
