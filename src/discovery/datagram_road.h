// SPDX-License-Identifier: MIT
#pragma once

#include "discovery/reply_receiver.h"
#include "discovery/search_road.h"

#include <QTimer>

#include <atomic>
#include <memory>
#include <optional>
#include <vector>

namespace Discovery {

// The datagram road: the query goes out twice, by limited broadcast through
// every adapter that can (or to the relay host over UDP), and the replies
// are read on port 6667. A pass ends after 250 ms without a reply, or at its
// bound whatever is still queued; replies a bound cut off are parsed in the
// next pass. Reader threads drain the socket; the road parses what they
// queue on its own thread, a slice at a time, so the caller's event loop
// never waits for a flood.
class DatagramRoad final : public SearchRoad {
    Q_OBJECT

public:
    DatagramRoad(DiscoveryState& state, const SearchSettings& settings, const NetworkEndpoints& endpoints);
    ~DatagramRoad() override;

    void start() override;
    void cancel() override;

private:
    void beginPass();
    // Takes what the readers queued, parses a slice, ends the pass when it
    // is quiet or at its bound, or sets the timer for the next look.
    void pump();
    void endPass();
    void finish();
    void close();
    // From a reader thread: queued replies wait; look at them soon.
    void repliesQueued();

    const SearchSettings m_settings;
    const NetworkEndpoints m_endpoints;
    bool m_running = false;
    std::optional<SocketHandle> m_socket;
    std::unique_ptr<ReplyReceiver> m_receiver;
    std::atomic<bool> m_lookPosted{false};
    // Replies taken from the receiver; those a pass's bound left unparsed go to the next pass.
    std::vector<ReceivedReply> m_replies;
    std::size_t m_next = 0;
    int m_pass = 0;
    Clock::time_point m_passStart;
    Clock::time_point m_passEnd;
    QTimer m_timer;
};

} // namespace Discovery
