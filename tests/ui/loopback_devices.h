// SPDX-License-Identifier: MIT
#pragma once

#include "discovery/search_round.h"
#include "discovery/socket_handle.h"
#include "upnp/search_options.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>

namespace UiTest {

// The port a socket is bound to.
std::uint16_t BoundPort(int fd);

// A UDP socket bound to 127.0.0.1 at `port` (0: any free one).
Discovery::SocketHandle LoopbackUdp(std::uint16_t port = 0);

// A free loopback UDP port: bound once, noted, let go.
std::uint16_t FreeLoopbackPort();

// Where a round's datagrams go when the devices answer on loopback: the
// round's datagrams never leave 127.0.0.1.
Discovery::NetworkEndpoints LoopbackEndpoints(std::uint16_t devicePort, std::uint16_t replyPort);

// A UPnP search on no adapter at all: it never reaches a network and ends
// once `minimum` has passed.
Upnp::UpnpSearchOptions OfflineUpnp(std::chrono::milliseconds minimum = std::chrono::milliseconds(20));

// Devices on loopback: answers every query with one framed datagram of
// replies, sent to the round's reply port.
class LoopbackDevices {
public:
    LoopbackDevices(std::string plainReplies, std::uint16_t replyPort);
    ~LoopbackDevices();
    LoopbackDevices(const LoopbackDevices&) = delete;
    LoopbackDevices& operator=(const LoopbackDevices&) = delete;

    std::uint16_t port() const { return BoundPort(m_socket.get()); }
    int queries() const { return m_queries; }
    std::string lastQuery() const;

private:
    void Run();

    Discovery::SocketHandle m_socket;
    std::string m_framed;
    std::uint16_t m_replyPort;
    std::atomic<bool> m_stop{false};
    std::atomic<int> m_queries{0};
    mutable std::mutex m_mutex;
    std::string m_lastQuery;
    std::thread m_thread;
};

} // namespace UiTest
