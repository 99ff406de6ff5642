// SPDX-License-Identifier: MIT
#pragma once

#include "sim/device_store.h"
#include "sim/http_relay.h"
#include "sim/scheduler.h"
#include "sim/sim_options.h"
#include "sim/tcp_relay.h"
#include "sim/udp_responder.h"

#include <QString>
#include <QtGlobal>

#include <chrono>
#include <vector>

namespace Sim {

class EventLog;

// One simulator process: the devices, their UDP responder, TCP relay and
// (when asked for) the relay's HTTP interface, run by a single-threaded poll loop.
class Simulator {
    Q_DISABLE_COPY(Simulator)
public:
    Simulator(const SimOptions& options, std::vector<Discovery::DeviceInfo> devices, EventLog& log);

    // Opens the sockets and logs {"event":"ready",...}; false and `error` on failure.
    bool start(QString& error);

    // Waits up to `maxWait` for work and does it. Returns true when `stopFd`
    // (a signalfd or pipe; -1 for none) became readable.
    bool pollOnce(std::chrono::milliseconds maxWait, int stopFd = -1);
    // Runs until `stopFd` is readable, then logs {"event":"stopped"}.
    void run(int stopFd);

    std::uint16_t udpPort() const { return m_udp.port(); }
    std::uint16_t tcpPort() const { return m_tcp.port(); }
    // 0 while the HTTP interface is off.
    std::uint16_t httpPort() const { return m_http.port(); }
    const DeviceStore& store() const { return m_store; }

private:
    SimOptions m_options;
    EventLog& m_log;
    DeviceStore m_store;
    Scheduler m_scheduler;
    UdpResponder m_udp;
    TcpRelay m_tcp;
    HttpRelay m_http;
};

} // namespace Sim
