// SPDX-License-Identifier: MIT
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace Discovery {

// One datagram as it came off the reply socket.
struct ReceivedReply {
    std::string bytes;
    unsigned arrivalInterface = 0; // adapter index, 0 when unknown
};

// Drains the reply socket on a thread of its own, in batches, and queues
// copies of the datagrams for the round to parse. Hundreds of devices answer
// within a few milliseconds; a thread that parses between reads falls behind
// and the kernel's receive buffer overflows.
class ReplyReceiver {
public:
    using Clock = std::chrono::steady_clock;

    // Queued bytes beyond this are dropped (a flood would otherwise grow the queue without end).
    static constexpr std::size_t kQueueLimit = 32u << 20;

    explicit ReplyReceiver(int socket, std::size_t queueLimit = kQueueLimit);
    ~ReplyReceiver();
    ReplyReceiver(const ReplyReceiver&) = delete;
    ReplyReceiver& operator=(const ReplyReceiver&) = delete;

    // Waits until a datagram is queued or `until` passes, then moves every
    // queued datagram to the end of `out`. False when nothing was queued.
    bool take(std::vector<ReceivedReply>& out, Clock::time_point until);
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
    int m_stop; // eventfd that wakes the thread to end
    std::atomic<bool> m_ending{false};
    std::atomic<bool> m_discard{false};
    std::atomic<Clock::rep> m_lastArrival{0};
    std::atomic<std::size_t> m_overflowed{0};
    std::mutex m_mutex;
    std::condition_variable m_queued;
    std::vector<ReceivedReply> m_queue;
    std::size_t m_queueBytes = 0;
    std::thread m_thread;
};

} // namespace Discovery
