// SPDX-License-Identifier: MIT
#pragma once

#include "discovery/socket_handle.h"

#include <QString>
#include <QtGlobal>

#include <netinet/in.h>
#include <poll.h>

#include <chrono>
#include <cstdint>
#include <list>
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
class TcpRelay {
    Q_DISABLE_COPY(TcpRelay)
public:
    using Clock = std::chrono::steady_clock;

    TcpRelay(const SimOptions& options, DeviceStore& store, EventLog& log);

    // Listens on the options' address at `port` (0: any free port).
    bool open(std::uint16_t port, QString& error);
    std::uint16_t port() const { return m_port; }
    std::size_t connectionCount() const { return m_connections.size(); }

    // Appends the descriptors to watch; onPoll gets them back in that order.
    void collectPollFds(std::vector<pollfd>& fds) const;
    void onPoll(std::span<const pollfd> fds);
    // The earliest time a connection gives up, if any.
    std::optional<Clock::time_point> nextDeadline() const;
    void expire(Clock::time_point now);

private:
    enum class State { Reading, Writing, Draining, Hanging };
    struct Connection {
        Discovery::SocketHandle socket;
        sockaddr_in peer{};
        State state = State::Reading;
        std::string in;
        std::string out;
        std::size_t sent = 0;
        std::optional<Clock::time_point> deadline;
        bool closed = false;
    };

    void acceptAll();
    void readQuery(Connection& connection);
    void process(Connection& connection);
    void writeAnswer(Connection& connection);
    void drain(Connection& connection);
    void finishWriting(Connection& connection);
    void close(Connection& connection, const char* why);

    const SimOptions& m_options;
    DeviceStore& m_store;
    EventLog& m_log;
    Discovery::SocketHandle m_listener;
    std::uint16_t m_port = 0;
    std::list<Connection> m_connections;
};

} // namespace Sim
