// SPDX-License-Identifier: MIT
#include "discovery/datagram_road.h"

#include "discovery/packet.h"

#include <QMetaObject>

#include <algorithm>
#include <cstring>

namespace Discovery {

namespace {

// How long one slice of parsing may hold the caller's thread before the
// road lets its event loop run (a window repaints between slices).
constexpr std::chrono::milliseconds kSliceBudget{4};

// One pass's query: a limited broadcast leaves through every adapter that
// can broadcast, one datagram each, so devices behind a second adapter hear
// it too; anything else (a relay host, a test address) is sent as routed.
// False when no adapter could carry a limited broadcast.
bool SendQuery(const std::string& query, const SearchSettings& settings, LogSink& log,
               const NetworkEndpoints& endpoints)
{
    if (!settings.localBroadcast || endpoints.broadcastAddress != kLimitedBroadcast) {
        SendBroadcastDatagram(endpoints.devicePort, query, settings, log, endpoints);
        return true;
    }
    const std::vector<NetworkInterface> adapters = BroadcastInterfaces(settings.interfaces);
    if (adapters.empty()) {
        if (!settings.interfaces.empty()) {
            log.append("No adapter to broadcast on among the ones named\n");
            return false;
        }
        SendBroadcastDatagram(endpoints.devicePort, query, settings, log, endpoints);
        return false;
    }
    for (const NetworkInterface& adapter : adapters) {
        if (SendBroadcastDatagram(endpoints.devicePort, query, settings, log, endpoints, &adapter) == 0)
            log.appendf("Broadcast on %s (%s)\n", adapter.name.c_str(), AddressText(adapter.address).c_str());
        else
            log.appendf("Broadcast on %s (%s) failed\n", adapter.name.c_str(), AddressText(adapter.address).c_str());
    }
    return true;
}

} // namespace

DatagramRoad::DatagramRoad(DiscoveryState& state, const SearchSettings& settings, const NetworkEndpoints& endpoints)
    : SearchRoad(state), m_settings(settings), m_endpoints(endpoints)
{
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &DatagramRoad::pump);
}

DatagramRoad::~DatagramRoad()
{
    close();
}

void DatagramRoad::start()
{
    LogSink& log = state().log();
    int failure = 0;
    m_socket = DM_CreateUDPBroadcastSocket(m_endpoints.replyPort, log, m_endpoints, &failure);
    if (!m_socket) {
        log.appendf("DM_CreateUDPBroadcastSocket(%d) failed!\n", m_endpoints.devicePort);
        setProblem(RoadProblem::ReplyPortUnavailable, std::strerror(failure));
        m_running = true;
        QMetaObject::invokeMethod(this, &DatagramRoad::finish, Qt::QueuedConnection);
        return;
    }
    m_receiver = std::make_unique<ReplyReceiver>(m_socket->get(), [this] { repliesQueued(); });
    m_running = true;
    m_pass = 0;
    // The first pass begins from the event loop, so nothing is reported
    // before start() has returned.
    QMetaObject::invokeMethod(this, &DatagramRoad::beginPass, Qt::QueuedConnection);
}

void DatagramRoad::repliesQueued()
{
    if (!m_lookPosted.exchange(true))
        QMetaObject::invokeMethod(this, &DatagramRoad::pump, Qt::QueuedConnection);
}

void DatagramRoad::beginPass()
{
    if (!m_running)
        return;
    LogSink& log = state().log();
    std::vector<char> query(kDatagramBufferSize, '\0');
    const int flag = m_settings.localBroadcast ? kSearchQuery : kRelayQuery;
    if (BuildPacket(flag, query, nullptr, log) == 0 && !SendQuery(query.data(), m_settings, log, m_endpoints))
        setProblem(RoadProblem::NoAdapter);
    m_passStart = Clock::now();
    m_passEnd = m_passStart + m_endpoints.passLimit;
    pump();
}

void DatagramRoad::pump()
{
    m_lookPosted = false;
    if (!m_running || !m_receiver)
        return;
    const auto now = Clock::now();
    if (now >= m_passEnd) {
        state().log().appendf("Reply pass ended after %lld ms without a quiet period\n",
                              static_cast<long long>(m_endpoints.passLimit.count()));
        endPass();
        return;
    }
    const auto quietEnd = [&] { return std::max(m_passStart, m_receiver->lastArrival()) + m_endpoints.silence; };
    if (m_next == m_replies.size()) {
        m_replies.clear();
        m_next = 0;
        m_receiver->tryTake(m_replies, std::min(quietEnd(), m_passEnd));
    }
    if (m_next < m_replies.size()) {
        // One slice; the clock is read every few dozen datagrams.
        const auto sliceEnd = std::min(now + kSliceBudget, m_passEnd);
        int added = 0;
        for (int parsed = 0; m_next < m_replies.size(); ++parsed) {
            if (parsed % 32 == 31 && Clock::now() >= sliceEnd)
                break;
            const ReceivedReply& reply = m_replies[m_next++];
            added += state().ParseFramedReply(reply.bytes, reply.arrivalInterface);
            if (state().deviceLimitReached()) {
                m_receiver->discardAll();
                m_replies.clear();
                m_next = 0;
            }
        }
        if (added > 0)
            emit devicesAdded();
        // The rest after the caller's other events.
        m_timer.start(0);
        return;
    }
    if (!m_receiver->hasQueued()) {
        if (now >= quietEnd()) {
            endPass(); // quiet: the pass is over
            return;
        }
        ArmAt(m_timer, std::min(quietEnd(), m_passEnd));
        return;
    }
    // A burst is still coming in: look when it pauses.
    ArmAt(m_timer, std::min({m_receiver->readyAt(), quietEnd(), m_passEnd}));
}

void DatagramRoad::endPass()
{
    m_timer.stop();
    if (++m_pass < kUdpPasses)
        beginPass();
    else
        finish();
}

void DatagramRoad::finish()
{
    if (!m_running)
        return;
    if (m_receiver && m_receiver->overflowed() > 0)
        state().log().appendf("Reply queue full: %zu replies dropped\n", m_receiver->overflowed());
    close();
    emit finished();
}

void DatagramRoad::cancel()
{
    close();
}

void DatagramRoad::close()
{
    m_running = false;
    m_timer.stop();
    m_receiver.reset(); // its readers are joined before the socket closes
    m_socket.reset();
    m_replies.clear();
    m_next = 0;
}

} // namespace Discovery
