// SPDX-License-Identifier: MIT
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>

namespace Discovery {

// Every discovery datagram opens with this vendor tag.
inline constexpr char kVendorTag[] = "Kestravon";
inline constexpr std::size_t kVendorTagLength = sizeof kVendorTag - 1;
inline constexpr char kQueryMarker[] = "????";

enum PacketFlag : int {
    kSearchQuery = 0,
    kDeviceReply = 1,
    kRelayQuery = 2,
    kControlPackage = 3,
};

// Datagram, receive and decode buffers.
inline constexpr std::size_t kDatagramBufferSize = 65536;

inline constexpr std::uint16_t kDevicePort = 6666; // devices listen here (UDP and TCP)
inline constexpr std::uint16_t kReplyPort = 6667;  // replies come back here
inline constexpr std::uint32_t kLimitedBroadcast = 0xFFFFFFFFu;

inline constexpr int kUdpPasses = 2;
inline constexpr std::chrono::microseconds kReplySilence{250'000};
// A pass that never sees the silence (a flooding device) ends here, however
// many replies are still queued. So a UDP round is over within about 11 s:
// two passes of at most 5 s, the queries' sends and the closing sort.
inline constexpr std::chrono::milliseconds kPassLimit{5000};
// New devices one round keeps from datagram replies; a flood of made-up
// devices cannot grow the list and the grid past it.
inline constexpr std::size_t kRoundDeviceLimit = 65536;
inline constexpr std::chrono::milliseconds kTcpRelayPause{1000};
// After the pause, the relay has this long to start answering ...
inline constexpr std::chrono::milliseconds kTcpRelayFirstData{3000};
// ... and the whole relay exchange ends at this bound.
inline constexpr std::chrono::milliseconds kTcpRelayTotal{10000};

// Bigger than the kernel default so a burst of replies from hundreds of
// devices at once is not dropped before we read it.
inline constexpr int kReplySocketReceiveBuffer = 8 * 1024 * 1024;

} // namespace Discovery
