// SPDX-License-Identifier: MIT
#pragma once

#include "discovery/search_round.h"
#include "discovery/socket_handle.h"

#include <cstdint>

namespace TestSupport {

inline constexpr std::uint32_t kLoopback = 0x7F000001u;

// The port a socket is bound to.
std::uint16_t BoundPort(int fd);

// A UDP socket bound to 127.0.0.1 at `port` (0: any free one).
Discovery::SocketHandle LoopbackUdp(std::uint16_t port = 0);

// A free loopback UDP port: bound once, noted, let go.
std::uint16_t FreeLoopbackPort();

// A TCP client socket connected to `port` on 127.0.0.1. A loopback connect
// completes at once while the listener's backlog has room; past it, `wait`
// false leaves it in progress (for a thread that also runs the listener).
Discovery::SocketHandle ConnectLoopback(std::uint16_t port, bool wait = true);

// Where a round's datagrams go when the devices answer on loopback: they
// never leave 127.0.0.1. Short waits, so a round ends soon after the replies.
Discovery::NetworkEndpoints LoopbackEndpoints(std::uint16_t devicePort, std::uint16_t replyPort);

} // namespace TestSupport
