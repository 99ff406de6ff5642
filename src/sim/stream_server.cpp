// SPDX-License-Identifier: MIT
#include "sim/stream_server.h"

#include "sim/errno_text.h"
#include "sim/event_log.h"

#include <arpa/inet.h>
#include <sys/socket.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace Sim {

namespace {

constexpr auto kWriteLimit = std::chrono::seconds(30); // to take the answer
constexpr auto kDrainLimit = std::chrono::seconds(2);  // to close after our FIN
// A peer that keeps sending must not keep the loop from everything else.
constexpr int kReadsPerWake = 64;


} // namespace

StreamServer::StreamServer(const Setup& setup, EventLog& log, Protocol& protocol)
    : m_setup(setup), m_log(log), m_protocol(protocol)
{
}

bool StreamServer::open(std::uint32_t address, std::uint16_t port, QString& error)
{
    const QString transport = QString::fromLatin1(m_setup.transport);
    Discovery::SocketHandle socket(::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
    if (!socket.valid()) {
        error = QStringLiteral("%1 socket: %2").arg(transport, ErrnoText());
        return false;
    }
    const int on = 1;
    setsockopt(socket.get(), SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_addr.s_addr = htonl(address);
    local.sin_port = htons(port);
    if (bind(socket.get(), reinterpret_cast<const sockaddr*>(&local), sizeof local) != 0) {
        error = QStringLiteral("%1 bind %2: %3").arg(transport, EndpointText(local), ErrnoText());
        return false;
    }
    if (listen(socket.get(), 64) != 0) {
        error = QStringLiteral("%1 listen: %2").arg(transport, ErrnoText());
        return false;
    }
    sockaddr_in bound{};
    socklen_t length = sizeof bound;
    getsockname(socket.get(), reinterpret_cast<sockaddr*>(&bound), &length);
    m_port = ntohs(bound.sin_port);
    m_listener = std::move(socket);
    return true;
}

void StreamServer::collectPollFds(std::vector<pollfd>& fds) const
{
    // A closed listener is -1, which poll skips; the order stays the same.
    fds.push_back({m_listener.get(), POLLIN, 0});
    for (const Connection& c : m_connections)
        fds.push_back({c.socket.get(), static_cast<short>(c.state == State::Writing ? POLLOUT : POLLIN), 0});
}

void StreamServer::onPoll(std::span<const pollfd> fds)
{
    if (fds.empty())
        return;
    // Connections first: accepting adds to the list that `fds` mirrors.
    auto it = m_connections.begin();
    for (std::size_t i = 1; i < fds.size() && it != m_connections.end(); ++i, ++it) {
        if (fds[i].revents == 0)
            continue;
        switch (it->state) {
        case State::Reading:
        case State::Hanging: read(*it); break;
        case State::Writing: write(*it); break;
        case State::Draining: drain(*it); break;
        }
    }
    m_connections.remove_if([](const Connection& c) { return c.closed; });
    if (fds[0].revents != 0)
        acceptAll();
}

std::optional<StreamServer::Clock::time_point> StreamServer::nextDeadline() const
{
    std::optional<Clock::time_point> next;
    for (const Connection& c : m_connections)
        if (c.deadline && (!next || *c.deadline < *next))
            next = c.deadline;
    return next;
}

void StreamServer::expire(Clock::time_point now)
{
    for (Connection& c : m_connections)
        if (c.deadline && *c.deadline <= now)
            close(c, c.state == State::Draining ? "done" : "timeout");
    m_connections.remove_if([](const Connection& c) { return c.closed; });
}

void StreamServer::answer(Connection& c, std::vector<Segment> out)
{
    c.in.clear();
    c.out = std::move(out);
    c.state = State::Writing;
    c.deadline = Clock::now() + kWriteLimit;
    write(c);
}

void StreamServer::hang(Connection& c)
{
    c.state = State::Hanging;
    c.deadline.reset();
    c.in.clear();
    event("hanging", {{QStringLiteral("from"), EndpointText(c.peer)}});
}

void StreamServer::finish(Connection& c)
{
    // Our FIN ends the peer's read; closing outright with its bytes unread
    // would reset the connection and could throw away our answer.
    shutdown(c.socket.get(), SHUT_WR);
    c.state = State::Draining;
    c.deadline = Clock::now() + kDrainLimit;
}

void StreamServer::close(Connection& c, const char* why)
{
    if (c.closed)
        return;
    QJsonObject fields{{QStringLiteral("from"), EndpointText(c.peer)},
                       {QStringLiteral("reason"), QString::fromLatin1(why)}};
    if (m_setup.closeTellsSent)
        fields.insert(QStringLiteral("sent"), static_cast<qint64>(c.sent));
    event("closed", std::move(fields));
    c.socket.reset();
    c.out.clear();
    c.closed = true;
}

void StreamServer::acceptAll()
{
    for (;;) {
        sockaddr_in peer{};
        socklen_t length = sizeof peer;
        Discovery::SocketHandle socket(accept4(m_listener.get(), reinterpret_cast<sockaddr*>(&peer),
                                               &length, SOCK_NONBLOCK | SOCK_CLOEXEC));
        if (!socket.valid()) {
            if (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR && errno != ECONNABORTED)
                m_log.event("error", {{QStringLiteral("message"), QStringLiteral("%1 accept: %2")
                                                                      .arg(QString::fromLatin1(m_setup.transport), ErrnoText())}});
            return;
        }
        if (m_connections.size() >= kMaxConnections) {
            event("refused", {{QStringLiteral("from"), EndpointText(peer)},
                              {QStringLiteral("reason"), QStringLiteral("too many connections")}});
            continue; // the handle closes it
        }
        Connection& c = m_connections.emplace_back();
        c.socket = std::move(socket);
        c.peer = peer;
        c.deadline = Clock::now() + m_setup.requestLimit;
        event("accepted", {{QStringLiteral("from"), EndpointText(peer)}});
    }
}

void StreamServer::read(Connection& c)
{
    char chunk[4096];
    for (int reads = 0; reads < kReadsPerWake; ++reads) {
        const ssize_t n = recv(c.socket.get(), chunk, sizeof chunk, MSG_DONTWAIT);
        if (n > 0) {
            if (c.state == State::Hanging)
                continue; // read and forget, so the peer never blocks on us
            const std::size_t room = m_setup.requestRoom - c.in.size();
            c.in.append(chunk, std::min(room, static_cast<std::size_t>(n)));
            if (m_protocol.requestComplete(c.in)) {
                m_protocol.process(c);
                return;
            }
            continue;
        }
        if (n == 0) {
            if (c.state == State::Reading)
                m_protocol.peerFinished(c);
            else
                close(c, "peer-closed");
            return;
        }
        if (errno == EINTR)
            continue;
        if (errno != EAGAIN && errno != EWOULDBLOCK)
            close(c, "error");
        return;
    }
}

void StreamServer::write(Connection& c)
{
    while (c.segment < c.out.size()) {
        const std::string& piece = *c.out[c.segment];
        if (c.offset >= piece.size()) {
            ++c.segment;
            c.offset = 0;
            continue;
        }
        const ssize_t n = send(c.socket.get(), piece.data() + c.offset, piece.size() - c.offset,
                               MSG_DONTWAIT | MSG_NOSIGNAL);
        if (n > 0) {
            c.offset += static_cast<std::size_t>(n);
            c.sent += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            return; // wait for room
        // A client that has read enough (the program keeps 1 MiB of a page) hangs up.
        const bool hungUp = errno == EPIPE || errno == ECONNRESET;
        close(c, hungUp && m_setup.hangupIsPeerClosed ? "peer-closed" : "error");
        return;
    }
    c.out.clear();
    m_protocol.answered(c);
    finish(c);
}

void StreamServer::drain(Connection& c)
{
    char chunk[4096];
    for (int reads = 0; reads < kReadsPerWake; ++reads) {
        const ssize_t n = recv(c.socket.get(), chunk, sizeof chunk, MSG_DONTWAIT);
        if (n > 0)
            continue;
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            return;
        close(c, "done");
        return;
    }
}

void StreamServer::event(const char* what, QJsonObject fields)
{
    const std::string name = std::string(m_setup.prefix) + "-" + what;
    m_log.event(name.c_str(), std::move(fields));
}

} // namespace Sim
