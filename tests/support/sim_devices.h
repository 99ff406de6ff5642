// SPDX-License-Identifier: MIT
#pragma once

#include "discovery/device_info.h"
#include "loopback.h"
#include "sim/event_log.h"
#include "sim/sim_options.h"
#include "sim/simulator.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace TestSupport {

// Options for simulated devices on 127.0.0.1 (free ports) whose every reply
// goes to `replyPort` on loopback, never to a broadcast address.
Sim::SimOptions LoopbackSimOptions(std::uint16_t replyPort);

// Runs `sim`'s loop on this thread until `done` holds or `limit` passes;
// what `done` says at the end.
bool PumpSim(Sim::Simulator& sim, const std::function<bool()>& done,
             std::chrono::milliseconds limit = std::chrono::milliseconds(3000));

// The simulator run in-process on a thread of its own, so a test may run a
// blocking search round against it.
class SimDevices {
public:
    SimDevices(std::vector<Discovery::DeviceInfo> devices, const Sim::SimOptions& options);
    // Answering every query, one datagram a device, to `replyPort`.
    SimDevices(std::vector<Discovery::DeviceInfo> devices, std::uint16_t replyPort)
        : SimDevices(std::move(devices), LoopbackSimOptions(replyPort)) {}
    ~SimDevices();
    SimDevices(const SimDevices&) = delete;
    SimDevices& operator=(const SimDevices&) = delete;

    std::uint16_t udpPort() const { return m_sim->udpPort(); }
    std::uint16_t tcpPort() const { return m_sim->tcpPort(); }
    std::uint16_t httpPort() const { return m_sim->httpPort(); }
    // Where a round or a dialog sends to reach these devices (replies go to
    // any free port).
    Discovery::NetworkEndpoints endpoints() const { return LoopbackEndpoints(udpPort(), 0); }
    // The texts of the packages received so far, up to their NUL (Latin-1).
    std::vector<std::string> queries() const;
    // The next package not taken yet, or nothing when none comes within `wait`.
    std::optional<std::string> takeQuery(std::chrono::milliseconds wait = std::chrono::milliseconds(1000));
    // True when no package has arrived that is not taken yet: anything already
    // sent to the devices has been read by then.
    bool silent();
    // The size of each of those packages as it arrived, framed.
    std::vector<int> queryBytes() const;
    // How many log lines have `event` as their event.
    std::size_t events(const char* event) const;

private:
    mutable std::mutex m_mutex;
    Sim::EventLog m_log{nullptr, true};
    std::unique_ptr<Sim::Simulator> m_sim;
    std::atomic<bool> m_stop{false};
    std::atomic<unsigned> m_cycles{0};
    std::size_t m_taken = 0;
    std::thread m_thread;
};

} // namespace TestSupport
