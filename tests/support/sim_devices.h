// SPDX-License-Identifier: MIT
#pragma once

#include "discovery/device_info.h"
#include "sim/event_log.h"
#include "sim/sim_options.h"
#include "sim/simulator.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace TestSupport {

// Options for simulated devices on 127.0.0.1 (free ports) whose every reply
// goes to `replyPort` on loopback, never to a broadcast address.
Sim::SimOptions LoopbackSimOptions(std::uint16_t replyPort);

// The simulator run in-process on a thread of its own, so a test may run a
// blocking search round against it.
class SimDevices {
public:
    SimDevices(std::vector<Discovery::DeviceInfo> devices, const Sim::SimOptions& options);
    ~SimDevices();
    SimDevices(const SimDevices&) = delete;
    SimDevices& operator=(const SimDevices&) = delete;

    std::uint16_t udpPort() const { return m_sim->udpPort(); }
    std::uint16_t tcpPort() const { return m_sim->tcpPort(); }
    // The texts of the packages received so far, up to their NUL.
    std::vector<std::string> queries() const;
    // The size of each of those packages as it arrived, framed.
    std::vector<int> queryBytes() const;
    // How many log lines have `event` as their event.
    std::size_t events(const char* event) const;

private:
    mutable std::mutex m_mutex;
    Sim::EventLog m_log{nullptr, true};
    std::unique_ptr<Sim::Simulator> m_sim;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

} // namespace TestSupport
