// SPDX-License-Identifier: MIT
#include "discovery/reply_receiver.h"

#include "discovery/protocol_constants.h"

#include <netinet/in.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <memory>

namespace Discovery {

namespace {

// Datagrams per recvmmsg call.
constexpr unsigned kBatch = 64;

constexpr std::size_t kControlSpace = CMSG_SPACE(sizeof(in_pktinfo)) + CMSG_SPACE(sizeof(timespec));

// The arrival adapter and the kernel's receive time from a datagram's control data.
void ReadControl(msghdr& message, ReceivedReply& reply)
{
    for (cmsghdr* c = CMSG_FIRSTHDR(&message); c != nullptr; c = CMSG_NXTHDR(&message, c)) {
        if (c->cmsg_level == IPPROTO_IP && c->cmsg_type == IP_PKTINFO) {
            in_pktinfo info{};
            std::memcpy(&info, CMSG_DATA(c), sizeof info);
            reply.arrivalInterface = static_cast<unsigned>(info.ipi_ifindex);
        } else if (c->cmsg_level == SOL_SOCKET && c->cmsg_type == SCM_TIMESTAMPNS) {
            timespec at{};
            std::memcpy(&at, CMSG_DATA(c), sizeof at);
            reply.arrival = static_cast<std::int64_t>(at.tv_sec) * 1'000'000'000 + at.tv_nsec;
        }
    }
}

} // namespace

ReplyReceiver::ReplyReceiver(int socket, std::function<void()> queued, std::size_t queueLimit)
    : m_socket(socket), m_queueLimit(queueLimit), m_stop(::eventfd(0, EFD_CLOEXEC)),
      m_queuedCallback(std::move(queued))
{
    // The readers share the socket; the kernel's receive times put their
    // batches back in arrival order.
    const int on = 1;
    ::setsockopt(m_socket, SOL_SOCKET, SO_TIMESTAMPNS, &on, sizeof on);
    for (std::thread& reader : m_threads)
        reader = std::thread([this] { run(); });
}

ReplyReceiver::~ReplyReceiver()
{
    m_ending = true;
    if (m_stop.valid()) {
        const std::uint64_t one = 1;
        [[maybe_unused]] const ssize_t woken = ::write(m_stop.get(), &one, sizeof one);
    }
    for (std::thread& reader : m_threads)
        reader.join();
}

bool ReplyReceiver::tryTake(std::vector<ReceivedReply>& out, Clock::time_point until)
{
    std::unique_lock lock(m_mutex);
    if (m_queue.empty())
        return false;
    // Parsing waits for a pause in the burst: on a busy machine it would
    // take the processor from the threads that must keep up.
    const auto now = Clock::now();
    const auto ready = std::min(lastArrival() + kBurstPause, m_firstQueued + kLongestWait);
    if (now < ready && now < until && m_queue.size() < kParseAnyway)
        return false;
    const std::size_t first = out.size();
    for (ReceivedReply& reply : m_queue)
        out.push_back(std::move(reply));
    m_queue.clear();
    m_queueBytes = 0;
    lock.unlock();
    std::stable_sort(out.begin() + static_cast<std::ptrdiff_t>(first), out.end(),
                     [](const ReceivedReply& a, const ReceivedReply& b) { return a.arrival < b.arrival; });
    return true;
}

ReplyReceiver::Clock::time_point ReplyReceiver::readyAt() const
{
    std::lock_guard lock(m_mutex);
    return std::min(lastArrival() + kBurstPause, m_firstQueued + kLongestWait);
}

bool ReplyReceiver::hasQueued() const
{
    std::lock_guard lock(m_mutex);
    return !m_queue.empty();
}

ReplyReceiver::Clock::time_point ReplyReceiver::lastArrival() const
{
    return Clock::time_point(Clock::duration(m_lastArrival.load()));
}

void ReplyReceiver::discardAll()
{
    m_discard = true;
    std::lock_guard lock(m_mutex);
    m_queue.clear();
    m_queueBytes = 0;
}

void ReplyReceiver::run()
{
    // One byte of each buffer stays free, as in every receive buffer of the round.
    constexpr std::size_t kRoom = kDatagramBufferSize - 1;
    // Left uninitialised: only the bytes the kernel writes are ever touched.
    const std::unique_ptr<char[]> data(new char[kBatch * kRoom]);
    std::vector<std::array<char, kControlSpace>> control(kBatch);
    std::array<iovec, kBatch> vectors{};
    std::array<mmsghdr, kBatch> messages{};
    std::vector<ReceivedReply> batch;

    while (!m_ending) {
        // Without the eventfd the thread looks at m_ending every 50 ms.
        pollfd wait[2] = {{m_socket, POLLIN, 0}, {m_stop.get(), POLLIN, 0}};
        const int ready = ::poll(wait, m_stop.valid() ? 2 : 1, m_stop.valid() ? -1 : 50);
        if (ready < 0 && errno != EINTR)
            return;
        if (wait[1].revents != 0 || m_ending)
            return;
        if ((wait[0].revents & POLLNVAL) != 0)
            return;
        if (wait[0].revents == 0)
            continue; // a pending socket error is read (and cleared) below
        // Read until the socket is empty, then hand the whole lot over at once.
        for (;;) {
            for (unsigned i = 0; i < kBatch; ++i) {
                vectors[i] = {data.get() + i * kRoom, kRoom};
                messages[i].msg_hdr = {};
                messages[i].msg_hdr.msg_iov = &vectors[i];
                messages[i].msg_hdr.msg_iovlen = 1;
                messages[i].msg_hdr.msg_control = control[i].data();
                messages[i].msg_hdr.msg_controllen = control[i].size();
                messages[i].msg_len = 0;
            }
            const int n = ::recvmmsg(m_socket, messages.data(), kBatch, MSG_DONTWAIT, nullptr);
            if (n <= 0)
                break;
            m_lastArrival = Clock::now().time_since_epoch().count();
            if (m_discard)
                continue;
            for (int i = 0; i < n; ++i) {
                if (messages[i].msg_len == 0)
                    continue; // an empty datagram only restarts the silence
                ReceivedReply& reply = batch.emplace_back();
                reply.bytes.assign(data.get() + i * kRoom, messages[i].msg_len);
                ReadControl(messages[i].msg_hdr, reply);
            }
            if (static_cast<unsigned>(n) < kBatch)
                break;
            if (batch.size() >= 4 * kBatch)
                break; // let the round start on these; the socket is read again at once
        }
        if (batch.empty())
            continue;
        bool wake = false;
        {
            std::lock_guard lock(m_mutex);
            wake = m_queue.empty();
            if (wake)
                m_firstQueued = Clock::now();
            for (ReceivedReply& reply : batch) {
                if (m_discard)
                    break;
                if (m_queueBytes + reply.bytes.size() > m_queueLimit) {
                    ++m_overflowed;
                    continue;
                }
                m_queueBytes += reply.bytes.size();
                m_queue.push_back(std::move(reply));
            }
            wake = wake || m_queue.size() >= kParseAnyway;
        }
        batch.clear();
        // A round that already knows of queued replies looks again by its own timer.
        if (wake && m_queuedCallback)
            m_queuedCallback();
    }
}

} // namespace Discovery
