// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace Discovery {

// Why an address is not handed out; the tools print these words.
inline constexpr char kSkipNetwork[] = "network address";
inline constexpr char kSkipBroadcast[] = "broadcast address";
inline constexpr char kSkipGateway[] = "gateway";
inline constexpr char kSkipDns[] = "DNS";
inline constexpr char kSkipThisPc[] = "this PC";
inline constexpr char kSkipHeld[] = "held by a device";
inline constexpr char kSkipInUse[] = "in use on the LAN";

// The settings every planned device gets, host byte order.
struct AddressRange {
    std::uint32_t from = 0;
    std::uint32_t netmask = 0;
    std::uint32_t gateway = 0;
    std::uint32_t dns = 0;
};

// What is known to be taken before the LAN is asked.
struct TakenAddresses {
    std::set<std::uint32_t> thisPc;                     // every address of this PC
    std::map<std::uint32_t, std::string> heldByDevice; // address -> MAC of a device holding it
};

struct SkippedAddress {
    std::uint32_t address = 0;
    std::string reason;
};

// Asks the LAN about candidates all at once; returns those in use.
using InUseCheck = std::function<std::set<std::uint32_t>(const std::vector<std::uint32_t>& candidates)>;

struct AddressPlan {
    std::vector<std::uint32_t> addresses; // ascending, one per device; fewer when the subnet ran out
    std::vector<SkippedAddress> skipped;  // ascending, up to the last address examined
};

// The reason `address` may not be handed out that needs no question to the
// LAN: the subnet's network or broadcast address (with `netmask`), the
// gateway, the DNS, this PC or a device; nothing when it may.
std::optional<std::string> FixedSkipReason(std::uint32_t address, std::uint32_t netmask, std::uint32_t gateway,
                                           std::uint32_t dns, const TakenAddresses& taken);

// `count` addresses upward from `range.from` inside its subnet, skipping
// what FixedSkipReason names and what `inUse` reports. The LAN is asked
// about as many candidates at a time as addresses are still missing, so a
// plan costs one round of questions unless some are taken.
AddressPlan PlanAddresses(const AddressRange& range, std::size_t count, const TakenAddresses& taken,
                          const InUseCheck& inUse);

} // namespace Discovery
