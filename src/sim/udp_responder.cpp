// SPDX-License-Identifier: MIT
#include "sim/udp_responder.h"

#include "discovery/packet.h"
#include "discovery/protocol_constants.h"
#include "sim/control_handler.h"
#include "sim/device_store.h"
#include "sim/errno_text.h"
#include "sim/event_log.h"
#include "sim/garbage.h"
#include "sim/reply_builder.h"
#include "sim/sim_options.h"

#include <QJsonObject>

#include <arpa/inet.h>
#include <poll.h>
#include <sys/socket.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace Sim {

namespace {

// Bounds one read burst so TCP connections and timers get their turn.
constexpr int kDatagramsPerWake = 256;
// How often and how long a send may wait for room in the socket's buffer.
constexpr int kSendAttempts = 50;
constexpr int kSendWaitMs = 10;

bool IsLoopback(std::uint32_t hostOrder) { return (hostOrder >> 24) == 127; }

sockaddr_in Endpoint(std::uint32_t hostOrder, std::uint16_t port)
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(hostOrder);
    address.sin_port = htons(port);
    return address;
}


} // namespace

UdpResponder::UdpResponder(const SimOptions& options, DeviceStore& store, EventLog& log,
                           Scheduler& scheduler)
    : m_options(options), m_store(store), m_log(log), m_scheduler(scheduler),
      m_buffer(Discovery::kDatagramBufferSize)
{
}

bool UdpResponder::open(QString& error)
{
    Discovery::SocketHandle socket(::socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
    if (!socket.valid()) {
        error = QStringLiteral("UDP socket: %1").arg(ErrnoText());
        return false;
    }
    const int on = 1;
    if (setsockopt(socket.get(), SOL_SOCKET, SO_REUSEADDR, &on, sizeof on) != 0
        || setsockopt(socket.get(), SOL_SOCKET, SO_BROADCAST, &on, sizeof on) != 0) {
        error = QStringLiteral("UDP socket options: %1").arg(ErrnoText());
        return false;
    }
    // Room for a burst of replies from many devices.
    const int sendBuffer = 4 * 1024 * 1024;
    setsockopt(socket.get(), SOL_SOCKET, SO_SNDBUF, &sendBuffer, sizeof sendBuffer);
    const sockaddr_in local = Endpoint(m_options.bindAddress, m_options.port);
    if (bind(socket.get(), reinterpret_cast<const sockaddr*>(&local), sizeof local) != 0) {
        error = QStringLiteral("UDP bind %1: %2").arg(EndpointText(local), ErrnoText());
        return false;
    }
    sockaddr_in bound{};
    socklen_t length = sizeof bound;
    getsockname(socket.get(), reinterpret_cast<sockaddr*>(&bound), &length);
    m_port = ntohs(bound.sin_port);
    m_socket = std::move(socket);
    return true;
}

void UdpResponder::onReadable()
{
    for (int i = 0; i < kDatagramsPerWake; ++i) {
        sockaddr_in from{};
        socklen_t length = sizeof from;
        const ssize_t n = recvfrom(m_socket.get(), m_buffer.data(), m_buffer.size(), MSG_DONTWAIT,
                                   reinterpret_cast<sockaddr*>(&from), &length);
        if (n < 0) {
            if (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR)
                m_log.event("error", {{QStringLiteral("message"), QStringLiteral("UDP receive: %1").arg(ErrnoText())}});
            return;
        }
        handle(std::string_view(m_buffer.data(), static_cast<std::size_t>(n)), from);
    }
}

void UdpResponder::handle(std::string_view datagram, const sockaddr_in& from)
{
    const IncomingPackage package = ReadIncomingPackage(datagram);
    m_log.received("udp", from, package.flag, package.text, datagram.size());
    const std::uint32_t sender = ntohl(from.sin_addr.s_addr);
    switch (package.flag) {
    case Discovery::kSearchQuery: {
        std::uint32_t to = Discovery::kLimitedBroadcast;
        if (m_options.replyTo)
            to = *m_options.replyTo;
        else if (m_options.unicast)
            to = sender;
        answer(Endpoint(to, m_options.replyPort));
        break;
    }
    case Discovery::kRelayQuery:
        // A relay answers the one who asked.
        answer(Endpoint(m_options.replyTo.value_or(sender), m_options.replyPort));
        break;
    case Discovery::kControlPackage:
        HandleControlPackage(package.text, m_store, m_log);
        break;
    default:
        break; // logged above; nothing to do
    }
}

void UdpResponder::answer(const sockaddr_in& to)
{
    if (m_options.delay.count() > 0)
        m_scheduler.after(m_options.delay, [this, to] { sendAnswer(to); });
    else
        sendAnswer(to);
}

std::vector<std::string> UdpResponder::answerDatagrams() const
{
    std::vector<std::string> datagrams;
    if (m_options.garbage)
        for (GarbageDatagram& junk : GarbageDatagrams())
            datagrams.push_back(std::move(junk.bytes));
    for (std::string& reply : BuildReplyDatagrams(m_store.answeringDevices(), m_options.pack))
        datagrams.push_back(std::move(reply));
    return datagrams;
}

void UdpResponder::sendAnswer(const sockaddr_in& to)
{
    std::vector<std::string> datagrams = answerDatagrams();
    if (m_options.flood) {
        ++m_floodGeneration;
        m_flood = std::move(datagrams);
        m_floodNext = 0;
        m_floodTo = to;
        m_floodEnd = Scheduler::Clock::now() + m_options.floodFor;
        m_log.event("flood", {{QStringLiteral("to"), EndpointText(to)},
                              {QStringLiteral("interval_ms"), static_cast<qint64>(m_options.floodInterval.count())},
                              {QStringLiteral("for_ms"), static_cast<qint64>(m_options.floodFor.count())}});
        floodStep(m_floodGeneration);
        return;
    }
    int failed = 0;
    for (const std::string& datagram : datagrams)
        if (!sendDatagram(datagram, to))
            ++failed;
    m_log.event("answered", {{QStringLiteral("to"), EndpointText(to)},
                             {QStringLiteral("datagrams"), static_cast<qint64>(datagrams.size())},
                             {QStringLiteral("failed"), failed}});
}

void UdpResponder::floodStep(std::uint64_t generation)
{
    if (generation != m_floodGeneration || (m_flood.empty() && !m_options.floodDistinct))
        return;
    if (Scheduler::Clock::now() >= m_floodEnd) {
        m_log.event("flood-end", {{QStringLiteral("sent"), static_cast<qint64>(m_floodNext)},
                                  {QStringLiteral("made_up_devices"), static_cast<qint64>(m_floodSerial)}});
        return;
    }
    // Back to back means a burst per turn of the loop, so queries are still heard.
    const int burst = m_options.floodInterval.count() == 0 ? kDatagramsPerWake : 1;
    for (int i = 0; i < burst; ++i) {
        if (m_options.floodDistinct)
            sendDatagram(nextDistinctFloodDatagram(), m_floodTo);
        else
            sendDatagram(m_flood[m_floodNext % m_flood.size()], m_floodTo);
        ++m_floodNext;
    }
    m_scheduler.after(m_options.floodInterval, [this, generation] { floodStep(generation); });
}

std::string UdpResponder::nextDistinctFloodDatagram()
{
    Discovery::DeviceInfo device{};
    if (!m_store.devices().empty())
        device = m_store.devices().front();
    else
        Discovery::CopyToField(device.model, "FLOOD");
    std::string plain;
    for (int i = 0; i < std::max(m_options.pack, 1); ++i) {
        const std::uint32_t n = m_floodSerial++;
        char ip[16];
        char mac[24];
        std::snprintf(ip, sizeof ip, "10.%u.%u.%u", (n >> 16) & 0xFFu, (n >> 8) & 0xFFu, n & 0xFFu);
        std::snprintf(mac, sizeof mac, "02:f1:%02x:%02x:%02x:%02x", (n >> 24) & 0xFFu, (n >> 16) & 0xFFu,
                      (n >> 8) & 0xFFu, n & 0xFFu);
        Discovery::CopyToField(device.ip, ip);
        Discovery::CopyToField(device.mac, mac);
        plain += PlainReply(device);
    }
    return Discovery::FrameBytes(plain);
}

bool UdpResponder::sendDatagram(const std::string& bytes, const sockaddr_in& to)
{
    // Bound to loopback means a test on this machine: nothing may leave it.
    if (IsLoopback(m_options.bindAddress) && !IsLoopback(ntohl(to.sin_addr.s_addr))) {
        m_log.event("error", {{QStringLiteral("message"),
                               QStringLiteral("bound to loopback: not sending to %1").arg(EndpointText(to))}});
        return false;
    }
    for (int attempt = 0;; ++attempt) {
        const ssize_t n = sendto(m_socket.get(), bytes.data(), bytes.size(), MSG_DONTWAIT,
                                 reinterpret_cast<const sockaddr*>(&to), sizeof to);
        if (n >= 0)
            return true;
        const int error = errno;
        if (error == EINTR)
            continue;
        // A full buffer drains in a moment; wait a little, but never for ever.
        if ((error == EAGAIN || error == EWOULDBLOCK || error == ENOBUFS) && attempt < kSendAttempts) {
            pollfd wait{m_socket.get(), POLLOUT, 0};
            poll(&wait, 1, kSendWaitMs);
            continue;
        }
        m_log.event("error", {{QStringLiteral("message"),
                               QStringLiteral("UDP send to %1: %2")
                                   .arg(EndpointText(to), QString::fromLocal8Bit(std::strerror(error)))}});
        return false;
    }
}

} // namespace Sim
