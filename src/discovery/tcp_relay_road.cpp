// SPDX-License-Identifier: MIT
#include "discovery/tcp_relay_road.h"

#include "discovery/packet.h"

#include <QMetaObject>

#include <netinet/in.h>
#include <sys/socket.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

namespace Discovery {

namespace {

void LetGo(QSocketNotifier*& notifier)
{
    if (notifier == nullptr)
        return;
    notifier->setEnabled(false);
    notifier->deleteLater();
    notifier = nullptr;
}

} // namespace

TcpRelayRoad::TcpRelayRoad(DiscoveryState& state, const SearchSettings& settings, const NetworkEndpoints& endpoints)
    : SearchRoad(state), m_settings(settings), m_endpoints(endpoints)
{
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &TcpRelayRoad::timedOut);
}

TcpRelayRoad::~TcpRelayRoad()
{
    close();
}

void TcpRelayRoad::start()
{
    LogSink& log = state().log();
    const auto now = Clock::now();
    m_running = true;
    m_deadline = now + m_endpoints.tcpTotal;
    m_reported = state().devices.size();
    m_step = Step::Connecting;

    const std::optional<std::uint32_t> address = RelayAddress(m_settings, log);
    if (!address) {
        finishSoon();
        return;
    }
    m_socket = SocketHandle(::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
    if (!m_socket.valid()) {
        log.append("CREATE SOCKET ERROR");
        finishSoon();
        return;
    }
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(m_endpoints.devicePort);
    to.sin_addr.s_addr = *address;
    if (::connect(m_socket.get(), reinterpret_cast<const sockaddr*>(&to), sizeof to) != 0 && errno != EINPROGRESS) {
        log.append("CONNECT ERROR");
        finishSoon();
        return;
    }
    // Connected at once or not: the socket's writability says, within the
    // bound (a blocking connect to a silent host would wait for minutes).
    m_writeNotifier = new QSocketNotifier(m_socket.get(), QSocketNotifier::Write, this);
    connect(m_writeNotifier, &QSocketNotifier::activated, this, &TcpRelayRoad::writable);
    ArmAt(m_timer, std::min(now + m_endpoints.tcpFirstData, m_deadline));
}

void TcpRelayRoad::writable()
{
    LetGo(m_writeNotifier);
    m_timer.stop();
    int error = 0;
    socklen_t length = sizeof error;
    if (::getsockopt(m_socket.get(), SOL_SOCKET, SO_ERROR, &error, &length) != 0 || error != 0) {
        state().log().append("CONNECT ERROR");
        finish();
        return;
    }
    connected();
}

void TcpRelayRoad::connected()
{
    LogSink& log = state().log();
    std::vector<char> query(kDatagramBufferSize, '\0');
    if (BuildPacket(kRelayQuery, query, nullptr, log) != 0) {
        finish();
        return;
    }
    // A few dozen bytes into an empty send buffer: they go at once or not at all.
    if (::send(m_socket.get(), query.data(), std::strlen(query.data()), MSG_NOSIGNAL | MSG_DONTWAIT) < 0)
        log.append("SEND ERROR");
    // The relay is given a moment to gather its devices before it is read.
    m_step = Step::Pausing;
    ArmAt(m_timer, std::min(Clock::now() + m_endpoints.tcpPause, m_deadline));
}

void TcpRelayRoad::timedOut()
{
    LogSink& log = state().log();
    switch (m_step) {
    case Step::Connecting:
        log.append("CONNECT ERROR");
        finish();
        return;
    case Step::Pausing: {
        m_step = Step::AwaitingData;
        const auto now = Clock::now();
        m_firstDataWait = std::chrono::duration_cast<std::chrono::milliseconds>(
            std::max(std::min(now + m_endpoints.tcpFirstData, m_deadline), now) - now);
        m_readNotifier = new QSocketNotifier(m_socket.get(), QSocketNotifier::Read, this);
        connect(m_readNotifier, &QSocketNotifier::activated, this, &TcpRelayRoad::readable);
        ArmAt(m_timer, now + m_firstDataWait);
        return;
    }
    case Step::AwaitingData:
        log.appendf("Relay sent no data within %lld ms\n", static_cast<long long>(m_firstDataWait.count()));
        finish();
        return;
    case Step::Reading:
        log.appendf("Relay read ended after %lld ms\n", static_cast<long long>(m_endpoints.tcpTotal.count()));
        endOfAnswer(false);
        return;
    case Step::Idle:
        return;
    }
}

void TcpRelayRoad::readable()
{
    if (m_step == Step::AwaitingData) {
        m_step = Step::Reading;
        ArmAt(m_timer, m_deadline);
    }
    if (m_step != Step::Reading)
        return;
    char chunk[16384];
    // What is there now, a bounded amount at a time; the notifier calls again for more.
    for (int reads = 0; reads < 64; ++reads) {
        const ssize_t n = ::recv(m_socket.get(), chunk, sizeof chunk, MSG_DONTWAIT);
        if (n > 0) {
            if (!consume(chunk, static_cast<std::size_t>(n)))
                return;
            continue;
        }
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR))
            break;
        // Closed by the relay (0), or broken: a broken answer's last record may be cut.
        endOfAnswer(n == 0);
        return;
    }
    reportDevices();
}

void TcpRelayRoad::decode(const char* data, std::size_t size)
{
    const std::size_t before = m_plain.size();
    m_plain.resize(before + size * 3 / 4 + 1);
    auto* out = reinterpret_cast<std::uint8_t*>(m_plain.data() + before);
    const std::size_t n = m_decoder.feed(std::string_view(data, size), std::span(out, m_plain.size() - before));
    InvertBytes(out, n);
    m_plain.resize(before + n);
}

bool TcpRelayRoad::consume(const char* data, std::size_t size)
{
    const bool cut = m_received + size > kRelayAnswerLimit;
    if (cut)
        size = kRelayAnswerLimit - m_received;
    m_received += size;
    decode(data, size);

    // Every packet whose closing NUL has come; the walk ends at an empty one.
    std::size_t start = 0;
    for (std::size_t nul; !m_walkEnded && (nul = m_plain.find('\0', start)) != std::string::npos;) {
        if (nul == start && m_packets > 0) {
            m_walkEnded = true;
            break;
        }
        state().AddReplyPacket(std::string_view(m_plain).substr(start, nul - start));
        ++m_packets;
        start = nul + 1;
    }
    m_plain.erase(0, start);

    if (cut) {
        state().log().appendf("Relay answer cut at %zu bytes; its last record is dropped\n", kRelayAnswerLimit);
        endOfAnswer(false);
        return false;
    }
    if (state().deviceLimitReached()) {
        endOfAnswer(false); // the cap's line is logged; the rest is not read
        return false;
    }
    if (m_walkEnded || m_decoder.stopped()) {
        endOfAnswer(true);
        return false;
    }
    return true;
}

void TcpRelayRoad::endOfAnswer(bool whole)
{
    // The relay's own end closes its last record, as the zero-filled
    // receive buffer always did.
    if (whole && !m_walkEnded && !m_plain.empty())
        state().AddReplyPacket(std::string_view(m_plain).substr(0, m_plain.find('\0')));
    m_plain.clear();
    finish();
}

void TcpRelayRoad::reportDevices()
{
    if (state().devices.size() == m_reported)
        return;
    m_reported = state().devices.size();
    emit devicesAdded();
}

void TcpRelayRoad::finishSoon()
{
    QMetaObject::invokeMethod(this, &TcpRelayRoad::finish, Qt::QueuedConnection);
}

void TcpRelayRoad::finish()
{
    if (!m_running)
        return;
    close();
    reportDevices();
    emit finished();
}

void TcpRelayRoad::cancel()
{
    close();
}

void TcpRelayRoad::close()
{
    m_running = false;
    m_step = Step::Idle;
    m_timer.stop();
    LetGo(m_readNotifier);
    LetGo(m_writeNotifier);
    m_socket = SocketHandle();
}

} // namespace Discovery
