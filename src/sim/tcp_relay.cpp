// SPDX-License-Identifier: MIT
#include "sim/tcp_relay.h"

#include "discovery/packet.h"
#include "discovery/protocol_constants.h"
#include "sim/control_handler.h"
#include "sim/device_store.h"
#include "sim/event_log.h"
#include "sim/garbage.h"
#include "sim/reply_builder.h"
#include "sim/sim_options.h"

#include <QJsonObject>

#include <arpa/inet.h>
#include <sys/socket.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace Sim {

namespace {

constexpr std::size_t kMaxConnections = 64;
constexpr auto kQueryLimit = std::chrono::seconds(10);   // to send the query
constexpr auto kWriteLimit = std::chrono::seconds(30);   // to take the answer
constexpr auto kDrainLimit = std::chrono::seconds(2);    // to close after our FIN
// A peer that keeps sending must not keep the loop from everything else.
constexpr int kReadsPerWake = 64;

QString ErrnoText() { return QString::fromLocal8Bit(std::strerror(errno)); }

// The query is whole once its restored NUL is there.
bool HoldsWholePacket(const std::string& framed)
{
    return Discovery::UnframeText(framed).find('\0') != std::string::npos;
}

} // namespace

TcpRelay::TcpRelay(const SimOptions& options, DeviceStore& store, EventLog& log)
    : m_options(options), m_store(store), m_log(log)
{
}

bool TcpRelay::open(std::uint16_t port, QString& error)
{
    Discovery::SocketHandle socket(::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
    if (!socket.valid()) {
        error = QStringLiteral("TCP socket: %1").arg(ErrnoText());
        return false;
    }
    const int on = 1;
    setsockopt(socket.get(), SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_addr.s_addr = htonl(m_options.bindAddress);
    local.sin_port = htons(port);
    if (bind(socket.get(), reinterpret_cast<const sockaddr*>(&local), sizeof local) != 0) {
        error = QStringLiteral("TCP bind %1: %2").arg(EndpointText(local), ErrnoText());
        return false;
    }
    if (listen(socket.get(), 64) != 0) {
        error = QStringLiteral("TCP listen: %1").arg(ErrnoText());
        return false;
    }
    sockaddr_in bound{};
    socklen_t length = sizeof bound;
    getsockname(socket.get(), reinterpret_cast<sockaddr*>(&bound), &length);
    m_port = ntohs(bound.sin_port);
    m_listener = std::move(socket);
    return true;
}

void TcpRelay::collectPollFds(std::vector<pollfd>& fds) const
{
    fds.push_back({m_listener.get(), POLLIN, 0});
    for (const Connection& c : m_connections)
        fds.push_back({c.socket.get(), static_cast<short>(c.state == State::Writing ? POLLOUT : POLLIN), 0});
}

void TcpRelay::onPoll(std::span<const pollfd> fds)
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
        case State::Hanging: readQuery(*it); break;
        case State::Writing: writeAnswer(*it); break;
        case State::Draining: drain(*it); break;
        }
    }
    m_connections.remove_if([](const Connection& c) { return c.closed; });
    if (fds[0].revents != 0)
        acceptAll();
}

std::optional<TcpRelay::Clock::time_point> TcpRelay::nextDeadline() const
{
    std::optional<Clock::time_point> next;
    for (const Connection& c : m_connections)
        if (c.deadline && (!next || *c.deadline < *next))
            next = c.deadline;
    return next;
}

void TcpRelay::expire(Clock::time_point now)
{
    for (Connection& c : m_connections)
        if (c.deadline && *c.deadline <= now)
            close(c, c.state == State::Draining ? "done" : "timeout");
    m_connections.remove_if([](const Connection& c) { return c.closed; });
}

void TcpRelay::acceptAll()
{
    for (;;) {
        sockaddr_in peer{};
        socklen_t length = sizeof peer;
        Discovery::SocketHandle socket(accept4(m_listener.get(), reinterpret_cast<sockaddr*>(&peer),
                                               &length, SOCK_NONBLOCK | SOCK_CLOEXEC));
        if (!socket.valid()) {
            if (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR && errno != ECONNABORTED)
                m_log.event("error", {{QStringLiteral("message"), QStringLiteral("TCP accept: %1").arg(ErrnoText())}});
            return;
        }
        if (m_connections.size() >= kMaxConnections) {
            m_log.event("tcp-refused", {{QStringLiteral("from"), EndpointText(peer)},
                                        {QStringLiteral("reason"), QStringLiteral("too many connections")}});
            continue; // the handle closes it
        }
        Connection& c = m_connections.emplace_back();
        c.socket = std::move(socket);
        c.peer = peer;
        c.deadline = Clock::now() + kQueryLimit;
        m_log.event("tcp-accepted", {{QStringLiteral("from"), EndpointText(peer)}});
    }
}

void TcpRelay::readQuery(Connection& c)
{
    char chunk[4096];
    for (int reads = 0; reads < kReadsPerWake; ++reads) {
        const ssize_t n = recv(c.socket.get(), chunk, sizeof chunk, MSG_DONTWAIT);
        if (n > 0) {
            if (c.state == State::Hanging)
                continue; // read and forget, so the peer never blocks on us
            // A query is a few dozen characters; more than a datagram's worth is junk.
            const std::size_t room = Discovery::kDatagramBufferSize - c.in.size();
            c.in.append(chunk, std::min(room, static_cast<std::size_t>(n)));
            if (HoldsWholePacket(c.in) || c.in.size() >= Discovery::kDatagramBufferSize) {
                process(c);
                return;
            }
            continue;
        }
        if (n == 0) {
            // The peer finished sending: take what came, or go.
            if (c.state == State::Reading && !c.in.empty())
                process(c);
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

void TcpRelay::process(Connection& c)
{
    const IncomingPackage package = ReadIncomingPackage(c.in);
    m_log.received("tcp", c.peer, package.flag, package.text, c.in.size());
    if (m_options.hang) {
        c.state = State::Hanging;
        c.deadline.reset();
        m_log.event("tcp-hanging", {{QStringLiteral("from"), EndpointText(c.peer)}});
        return;
    }
    switch (package.flag) {
    case Discovery::kSearchQuery:
    case Discovery::kRelayQuery:
        if (m_options.garbage) {
            std::string plain;
            for (const Discovery::DeviceInfo& device : m_store.devices())
                plain += PlainReply(device);
            c.out = GarbageRelayText(plain);
        } else {
            c.out = BuildRelayText(m_store.devices());
        }
        c.state = State::Writing;
        c.deadline = Clock::now() + kWriteLimit;
        writeAnswer(c);
        return;
    case Discovery::kControlPackage:
        HandleControlPackage(package.text, m_store, m_log);
        break;
    default:
        break;
    }
    finishWriting(c);
}

void TcpRelay::writeAnswer(Connection& c)
{
    while (c.sent < c.out.size()) {
        const ssize_t n = send(c.socket.get(), c.out.data() + c.sent, c.out.size() - c.sent,
                               MSG_DONTWAIT | MSG_NOSIGNAL);
        if (n > 0) {
            c.sent += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            return; // wait for room
        close(c, "error");
        return;
    }
    m_log.event("relayed", {{QStringLiteral("to"), EndpointText(c.peer)},
                            {QStringLiteral("bytes"), static_cast<qint64>(c.out.size())},
                            {QStringLiteral("devices"), static_cast<qint64>(m_store.devices().size())}});
    finishWriting(c);
}

void TcpRelay::finishWriting(Connection& c)
{
    // Our FIN ends the peer's read; closing outright with its bytes unread
    // would reset the connection and could throw away our answer.
    shutdown(c.socket.get(), SHUT_WR);
    c.state = State::Draining;
    c.deadline = Clock::now() + kDrainLimit;
}

void TcpRelay::drain(Connection& c)
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

void TcpRelay::close(Connection& c, const char* why)
{
    if (c.closed)
        return;
    m_log.event("tcp-closed", {{QStringLiteral("from"), EndpointText(c.peer)},
                                   {QStringLiteral("reason"), QString::fromLatin1(why)}});
    c.socket.reset();
    c.closed = true;
}

} // namespace Sim
