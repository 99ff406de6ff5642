// SPDX-License-Identifier: MIT
#pragma once

#include "sim/stream_server.h"

#include <QString>
#include <QtGlobal>

#include <poll.h>

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace Sim {

class DeviceStore;
class EventLog;
struct SimOptions;

// The relay host's TCP side: accepts a connection, reads the query, answers
// with one framed text holding every device's plain packet, then closes.
// With --hang it reads the query and then neither answers nor closes.
class TcpRelay : private StreamServer::Protocol {
    Q_DISABLE_COPY(TcpRelay)
public:
    using Clock = StreamServer::Clock;

    TcpRelay(const SimOptions& options, DeviceStore& store, EventLog& log);

    // Listens on the options' address at `port` (0: any free port).
    bool open(std::uint16_t port, QString& error);
    std::uint16_t port() const { return m_server.port(); }
    std::size_t connectionCount() const { return m_server.connectionCount(); }

    // Appends the descriptors to watch; onPoll gets them back in that order.
    void collectPollFds(std::vector<pollfd>& fds) const { m_server.collectPollFds(fds); }
    void onPoll(std::span<const pollfd> fds) { m_server.onPoll(fds); }
    // The earliest time a connection gives up, if any.
    std::optional<Clock::time_point> nextDeadline() const { return m_server.nextDeadline(); }
    void expire(Clock::time_point now) { m_server.expire(now); }

private:
    using Connection = StreamServer::Connection;

    bool requestComplete(const std::string& in) const override;
    void process(Connection& connection) override;
    void peerFinished(Connection& connection) override;
    void answered(Connection& connection) override;

    const SimOptions& m_options;
    DeviceStore& m_store;
    EventLog& m_log;
    StreamServer m_server;
};

} // namespace Sim
