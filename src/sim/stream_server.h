// SPDX-License-Identifier: MIT
#pragma once

#include "discovery/socket_handle.h"

#include <QJsonObject>
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

class EventLog;

// A listening TCP socket and the stream connections it accepted, driven by the
// simulator's single poll loop: each connection reads one request, is given an
// answer (or hangs, or is finished without one), writes it, sends its FIN and
// drains until the peer closes. What a request is and what it gets back is
// the Protocol's business.
class StreamServer {
    Q_DISABLE_COPY(StreamServer)
public:
    using Clock = std::chrono::steady_clock;
    using Segment = std::shared_ptr<const std::string>;

    // Connections held at once; more are accepted and closed at once.
    static constexpr std::size_t kMaxConnections = 64;

    enum class State { Reading, Writing, Draining, Hanging };
    struct Connection {
        Discovery::SocketHandle socket;
        sockaddr_in peer{};
        State state = State::Reading;
        std::string in;
        // The answer in pieces, so connections can share one copy of a big part.
        std::vector<Segment> out;
        std::size_t segment = 0;
        std::size_t offset = 0;
        std::size_t sent = 0;
        std::optional<Clock::time_point> deadline;
        bool closed = false;
    };

    class Protocol {
    public:
        virtual ~Protocol() = default;
        // `in` holds a whole request, or as much as will be kept.
        virtual bool requestComplete(const std::string& in) const = 0;
        // Acts on the request: answer(), hang(), finish() or close().
        virtual void process(Connection& connection) = 0;
        // The peer stopped sending before its request was complete.
        virtual void peerFinished(Connection& connection) = 0;
        // The whole answer has gone out; the FIN follows.
        virtual void answered(Connection&) {}
    };

    struct Setup {
        const char* transport = "";      // "TCP": starts error texts
        const char* prefix = "";         // "tcp": events are "tcp-accepted" and so on
        std::size_t requestRoom = 0;     // request bytes kept
        Clock::duration requestLimit{};  // to send the request
        bool closeTellsSent = false;     // "...-closed" lines carry the bytes sent
        bool hangupIsPeerClosed = false; // a peer gone while we write reads "peer-closed"
    };

    StreamServer(const Setup& setup, EventLog& log, Protocol& protocol);

    // Listens on `address` (host order) at `port` (0: any free port).
    bool open(std::uint32_t address, std::uint16_t port, QString& error);
    bool isOpen() const { return m_listener.valid(); }
    std::uint16_t port() const { return m_port; }
    std::size_t connectionCount() const { return m_connections.size(); }

    // Appends the descriptors to watch; onPoll gets them back in that order.
    void collectPollFds(std::vector<pollfd>& fds) const;
    void onPoll(std::span<const pollfd> fds);
    // The earliest time a connection gives up, if any.
    std::optional<Clock::time_point> nextDeadline() const;
    void expire(Clock::time_point now);

    // What a Protocol does with a connection.
    void answer(Connection& connection, std::vector<Segment> out);
    void hang(Connection& connection);
    void finish(Connection& connection);
    void close(Connection& connection, const char* why);

private:
    void acceptAll();
    void read(Connection& connection);
    void write(Connection& connection);
    void drain(Connection& connection);
    void event(const char* what, QJsonObject fields);

    Setup m_setup;
    EventLog& m_log;
    Protocol& m_protocol;
    Discovery::SocketHandle m_listener;
    std::uint16_t m_port = 0;
    std::list<Connection> m_connections;
};

} // namespace Sim
