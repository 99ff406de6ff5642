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
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace Sim {

class DeviceStore;
class EventLog;
struct SimOptions;

// The relay host's HTTP command interface: answers
// "GET /device.get?DeviceType=..." with the device table page of the
// devices of that project ("ALL": every device), one request per connection.
// Misbehaves as the options say: --http-hang reads the request and never
// answers, --http-big pads every page with filler rows, --http-empty always
// says "No available items".
class HttpRelay {
    Q_DISABLE_COPY(HttpRelay)
public:
    using Clock = std::chrono::steady_clock;

    // Connections held at once; more are accepted and closed at once.
    static constexpr std::size_t kMaxConnections = 64;

    HttpRelay(const SimOptions& options, DeviceStore& store, EventLog& log);

    // Listens on the options' address at `port` (0: any free port).
    bool open(std::uint16_t port, QString& error);
    bool isOpen() const { return m_listener.valid(); }
    std::uint16_t port() const { return m_port; }
    std::size_t connectionCount() const { return m_connections.size(); }

    // Appends the descriptors to watch (none while closed); onPoll gets them
    // back in that order.
    void collectPollFds(std::vector<pollfd>& fds) const;
    void onPoll(std::span<const pollfd> fds);
    // The earliest time a connection gives up, if any.
    std::optional<Clock::time_point> nextDeadline() const;
    void expire(Clock::time_point now);

private:
    enum class State { Reading, Writing, Draining, Hanging };
    using Segment = std::shared_ptr<const std::string>;
    struct Connection {
        Discovery::SocketHandle socket;
        sockaddr_in peer{};
        State state = State::Reading;
        std::string in;
        // The answer in pieces, so every connection shares one copy of the filler.
        std::vector<Segment> out;
        std::size_t segment = 0;
        std::size_t offset = 0;
        std::size_t sent = 0;
        std::optional<Clock::time_point> deadline;
        bool closed = false;
    };
    struct Answer {
        int status = 200;
        std::vector<Segment> body;
        const char* page = "devices";
        std::size_t devices = 0;
        const char* allow = nullptr;
    };

    void acceptAll();
    void readRequest(Connection& connection);
    void process(Connection& connection);
    Answer answerFor(const std::string& method, const std::string& target) const;
    void respond(Connection& connection, Answer answer, bool headOnly);
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
    Segment m_filler; // --http-big's rows, built once
};

} // namespace Sim
