// SPDX-License-Identifier: MIT
#pragma once

#include "discovery/log_sink.h"
#include "discovery/network_interfaces.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <chrono>
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace Discovery {

// How long the kernel gets to resolve the probed addresses: its ARP gives up
// after three requests a second apart.
inline constexpr std::chrono::milliseconds kNeighbourWait{3000};
// The port the probe datagram goes to ("discard"): no device acts on it.
inline constexpr std::uint16_t kProbePort = 9;

struct InUseAnswer {
    std::set<std::uint32_t> inUse;     // a host on the LAN answered ARP for these
    std::set<std::uint32_t> unchecked; // outside every adapter's subnet: ARP cannot tell
};

// Whether hosts hold the candidates (host byte order), asked the way an
// ordinary user may: one empty datagram to each candidate, out through the
// adapter whose subnet holds it, makes the kernel ask by ARP; its neighbour
// table then says who answered. No privilege or capability is needed.
//
// start() sends the probes and returns at once; a timer reads the table
// until every candidate is resolved or the wait has passed, and then
// `finished` comes, always after start() has returned. Destroying the check
// or cancel() ends it silently.
class NeighbourCheck final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY(NeighbourCheck)

public:
    explicit NeighbourCheck(LogSink& log, QObject* parent = nullptr);

    // Starts a check of `candidates`; one still running is dropped first.
    void start(const std::vector<std::uint32_t>& candidates, const std::vector<NetworkInterface>& adapters,
               std::chrono::milliseconds wait = kNeighbourWait);
    void cancel();
    bool running() const { return m_running; }
    // The answer of the check that finished last.
    const InUseAnswer& answer() const { return m_answer; }

signals:
    void finished();

private:
    void poll();

    LogSink& m_log;
    QTimer m_poll;
    QElapsedTimer m_since;
    std::chrono::milliseconds m_wait{0};
    std::map<std::uint32_t, NetworkInterface> m_pending;
    InUseAnswer m_answer;
    bool m_running = false;
};

// Moves every pending candidate that `resolved` (as ReadResolvedNeighbours
// gives it) shows on its probe adapter into `inUse`.
void TakeResolved(std::map<std::uint32_t, NetworkInterface>& pending,
                  const std::multimap<std::uint32_t, std::string>& resolved, std::set<std::uint32_t>& inUse);

// The candidates of `adapters`' subnets, each with the adapter to probe it
// through; the rest go to `unchecked`.
std::map<std::uint32_t, NetworkInterface> ProbeAdapters(const std::vector<std::uint32_t>& candidates,
                                                        const std::vector<NetworkInterface>& adapters,
                                                        std::set<std::uint32_t>& unchecked);

// Sends one empty datagram to `address` out through `adapter`. False (logged) when it could not.
bool SendNeighbourProbe(std::uint32_t address, const NetworkInterface& adapter, LogSink& log);

// The resolved entries of a neighbour table in the text form of
// /proc/net/arp: address -> names of the adapters it was resolved on.
// Entries still being asked for or given up on carry no hardware address
// and are left out.
std::multimap<std::uint32_t, std::string> ResolvedNeighbours(std::string_view arpTable);

// This thread's network namespace's neighbour table, as ResolvedNeighbours reads it.
std::multimap<std::uint32_t, std::string> ReadResolvedNeighbours();

} // namespace Discovery
