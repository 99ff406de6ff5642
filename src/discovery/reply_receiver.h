// SPDX-License-Identifier: MIT
#pragma once

#include "discovery/socket_handle.h"

#include <array>
#include <atomic>
#include <chrono>
#include <functional>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace Discovery {

// One datagram as it came off the reply socket.
struct ReceivedReply {
    std::string bytes;
    unsigned arrivalInterface = 0; // adapter index, 0 when unknown
    std::int64_t arrival = 0;      // the kernel's receive time in ns, 0 when unknown
};

// Drains the reply socket on threads of their own, in batches, and queues
// copies of the datagrams for the round to parse, in the order they arrived.
// Thousands of devices answer within a few milliseconds and the kernel's
// default buffer holds about 160 replies; a thread that parses between reads
// falls behind and the buffer overflows. The readers never wait for the
// round: they tell it that replies are queued, and it takes them when it may.
class ReplyReceiver {
public:
    using Clock = std::chrono::steady_clock;

    // Queued bytes beyond this are dropped (a flood would otherwise grow the queue without end).
    static constexpr std::size_t kQueueLimit = 32u << 20;

    // Replies are ready to hand over once the socket has been quiet this
    // long, or once this many are queued, whichever comes first. Well inside
    // the round's 250 ms of silence, and longer than the gaps a burst has
    // when its senders are held up for a moment.
    static constexpr std::chrono::milliseconds kBurstPause{20};
    // ... and at the latest once the oldest queued reply has waited this
    // long, so a reply that came first reaches the screen soon even while a
    // neighbour floods. Longer than a burst of thousands of devices lasts.
    static constexpr std::chrono::milliseconds kLongestWait{70};
    static constexpr std::size_t kParseAnyway = 4096;
    // Two readers: while one is off the processor (a busy machine, or the
    // core that is delivering the burst) the other reads on. On a loaded
    // 2-core machine one reader kept about 60 % of a 5,000-device burst in
    // the default buffer, two about 90 %; more did no better.
    static constexpr int kReaders = 2;

    // `queued` is called on a reader thread whenever replies join an empty
    // queue, and when the queue reaches kParseAnyway: the owner looks then
    // (it must not block, and must stay callable until this object is gone).
    explicit ReplyReceiver(int socket, std::function<void()> queued = {}, std::size_t queueLimit = kQueueLimit);
    ~ReplyReceiver();
    ReplyReceiver(const ReplyReceiver&) = delete;
    ReplyReceiver& operator=(const ReplyReceiver&) = delete;

    // Moves every queued datagram to the end of `out`, in arrival order,
    // when they are ready to hand over (see above) or `until` has passed.
    // False when nothing was moved.
    bool tryTake(std::vector<ReceivedReply>& out, Clock::time_point until);
    bool hasQueued() const;
    // When the queued replies will be ready unless more arrive.
    Clock::time_point readyAt() const;
    // When the last datagram (an empty one included) was read; the epoch before any.
    Clock::time_point lastArrival() const;
    // From now on datagrams are read and dropped.
    void discardAll();
    // Datagrams dropped because the queue was full.
    std::size_t overflowed() const { return m_overflowed.load(); }

private:
    void run();

    int m_socket;
    std::size_t m_queueLimit;
    SocketHandle m_stop; // an eventfd that wakes the readers to end (it closes like a socket)
    std::atomic<bool> m_ending{false};
    std::atomic<bool> m_discard{false};
    std::atomic<Clock::rep> m_lastArrival{0};
    std::atomic<std::size_t> m_overflowed{0};
    std::function<void()> m_queuedCallback;
    mutable std::mutex m_mutex;
    std::vector<ReceivedReply> m_queue;
    Clock::time_point m_firstQueued; // when the oldest queued reply was queued
    std::size_t m_queueBytes = 0;
    std::array<std::thread, kReaders> m_threads;
};

} // namespace Discovery
