// SPDX-License-Identifier: MIT
#pragma once

#include "discovery/device_info.h"

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace Sim {

// The largest payload one IPv4 UDP datagram can carry.
inline constexpr std::size_t kMaxUdpPayload = 65507;

// A device's flag-01 plain text followed by its NUL.
std::string PlainReply(const Discovery::DeviceInfo& info);

// The framed reply datagrams for `devices`: `pack` plain packets (each with
// its NUL) per datagram, fewer where more would not fit one datagram.
std::vector<std::string> BuildReplyDatagrams(std::span<const Discovery::DeviceInfo> devices, int pack);

// What a TCP relay answers: every device's plain packet in one framed text.
std::string BuildRelayText(std::span<const Discovery::DeviceInfo> devices);

// A package as it arrived: its flag (-1 without the vendor tag or a flag
// token) and its first plain packet.
struct IncomingPackage {
    int flag = -1;
    std::string text;
};

// Unframes `framed` (Base64 of the inverted bytes) and reads its first packet.
IncomingPackage ReadIncomingPackage(std::string_view framed);

// The flag of one plain packet, read as the packet parser reads it.
int PackageFlag(std::string_view plain);

} // namespace Sim
