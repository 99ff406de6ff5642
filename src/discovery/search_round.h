// SPDX-License-Identifier: MIT
#pragma once

#include "discovery/discovery_state.h"
#include "discovery/network_interfaces.h"
#include "discovery/protocol_constants.h"
#include "discovery/relay_page_fetch.h"
#include "discovery/socket_handle.h"

#include <chrono>
#include <cstdint>
#include <functional>
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

// What the round tells its window (or the CLI) and asks of the UPnP search.
// Every hook is optional.
struct SearchRoundHooks {
    std::function<void()> startUpnp;     // first step, when the filter admits UPnP
    std::function<void()> searching;     // button disabled, caption "Searching..."
    std::function<void()> buttonEnabled; // the relay roads enable the button again
    // Last step when the filter admits UPnP: the UPnP results take over the
    // end of the round. Returns false when nobody took it over.
    std::function<bool()> handOverToUpnp;
    // The round closed itself: `shownRows` devices are in the grid (0: none).
    std::function<void(int shownRows)> closed;
    // Every datagram the UDP road parses (for measurements).
    std::function<void()> replyReceived;
    // The HTTP-command road's page fetch: the page's lines for a URL.
    std::function<std::vector<std::string>(const std::string& url)> fetchRelayPage;
};

enum class RoundEnd { ClosedItself, HandedOver };

// True when the project filter text admits UPnP devices ("ALL" or "UPNP",
// letter case ignored).
bool FilterAdmitsUpnp(const std::string& projectFilter);

// Opens the reply socket: UDP, address reuse, bound to every local address
// at `port`. Socket failures are logged.
std::optional<SocketHandle> DM_CreateUDPBroadcastSocket(std::uint16_t port, LogSink& log,
                                                        const NetworkEndpoints& endpoints = {});

// Sends `text` (without its terminator) in one datagram from a fresh
// broadcast-enabled socket to `port` at the broadcast address, or at the
// relay host when the settings say "IP Relay". A limited broadcast leaves
// through `via` when one is given, else through the routed interface.
// Returns 0 or -1.
int SendBroadcastDatagram(std::uint16_t port, const std::string& text, const SearchSettings& settings,
                          LogSink& log, const NetworkEndpoints& endpoints = {},
                          const NetworkInterface* via = nullptr);

// One press of the search button: empties the list and the grid, runs the
// road the settings choose, and closes the round or hands it over.
RoundEnd RunSearchRound(DiscoveryState& state, const SearchSettings& settings,
                        const SearchRoundHooks& hooks, const NetworkEndpoints& endpoints = {});

} // namespace Discovery
