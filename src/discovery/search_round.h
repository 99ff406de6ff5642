// SPDX-License-Identifier: MIT
#pragma once

#include "discovery/discovery_state.h"
#include "discovery/network_interfaces.h"
#include "discovery/protocol_constants.h"
#include "discovery/relay_page_fetch.h"
#include "discovery/socket_handle.h"

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace Discovery {

// The search-method controls as the round reads them.
struct SearchSettings {
    bool localBroadcast = true;  // "Local Broadcast" checked; else "IP Relay"
    std::string relayHost;       // relay host box, as typed
    std::string transport = "TCP"; // relay transport box: "TCP", "UDP" or "HttpCmd"
    // Adapters a local broadcast may use; empty means every adapter that can.
    std::vector<std::string> interfaces;
};

// Where the round's datagrams go and how long it waits. The program always
// uses the defaults; tests move them to loopback and ephemeral ports.
struct NetworkEndpoints {
    std::uint32_t broadcastAddress = kLimitedBroadcast; // host byte order
    std::uint16_t devicePort = kDevicePort;
    std::uint16_t replyPort = kReplyPort;
    std::uint32_t replyBindAddress = 0; // INADDR_ANY
    int receiveBuffer = kReplySocketReceiveBuffer; // 0 keeps the kernel default
    std::chrono::microseconds silence = kReplySilence;
    std::chrono::milliseconds passLimit = kPassLimit;
    std::chrono::milliseconds tcpPause = kTcpRelayPause;
    std::chrono::milliseconds tcpFirstData = kTcpRelayFirstData;
    std::chrono::milliseconds tcpTotal = kTcpRelayTotal;
    std::chrono::milliseconds relayPageWait = kRelayPageWait;
};

// Opens the reply socket: UDP, address reuse, bound to every local address
// at `port`. Socket failures are logged; `failure`, when given, gets the
// error number of the step that failed.
std::optional<SocketHandle> DM_CreateUDPBroadcastSocket(std::uint16_t port, LogSink& log,
                                                        const NetworkEndpoints& endpoints = {},
                                                        int* failure = nullptr);

// The relay host box's text as an address (network byte order), or nothing,
// with a log line, when it is none. inet_addr cannot tell 255.255.255.255
// from a failure; a relay address that would turn a unicast exchange into a
// broadcast is refused too.
std::optional<std::uint32_t> RelayAddress(const SearchSettings& settings, LogSink& log);

// Sends `text` (without its terminator) in one datagram from a fresh
// broadcast-enabled socket to `port` at the broadcast address, or at the
// relay host when the settings say "IP Relay". A limited broadcast leaves
// through `via` when one is given, else through the routed interface.
// Returns 0 or -1.
int SendBroadcastDatagram(std::uint16_t port, const std::string& text, const SearchSettings& settings,
                          LogSink& log, const NetworkEndpoints& endpoints = {},
                          const NetworkInterface* via = nullptr);

} // namespace Discovery
