// SPDX-License-Identifier: MIT
#pragma once

#include "discovery/device_info.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace Discovery {

enum class AssignStatus {
    Planned,      // a dry run: nothing was sent
    Waiting,      // sent; not yet seen at its new address
    Confirmed,    // answered from its new address with its MAC
    NotSeen,      // the wait ended without an answer from it
    OtherAddress, // it answers, but not from the planned address
};

// "planned", "waiting", "confirmed", "not seen", "other address".
std::string_view AssignStatusName(AssignStatus status);

// One device's new address, from the plan to its confirmation.
struct Assignment {
    DeviceInfo device;        // as the search found it; the package carries its other fields
    unsigned adapter = 0;     // the adapter it answered on (0: unknown)
    std::string ip, netmask, gateway, dns; // what it is to take
    AssignStatus status = AssignStatus::Planned;
    std::optional<int> seconds; // from sending until confirmed
    std::string seenIp;         // where the latest search after sending saw it; empty: not seen
};

// One search after sending: each waiting device whose MAC answered from its
// planned address is confirmed after `secondsSinceSent`. An answer with
// another MAC from that address confirms nothing.
void TakeConfirmations(std::vector<Assignment>& assignments, const std::vector<DeviceInfo>& round,
                       int secondsSinceSent);

// True while any device is still waiting.
bool AnyWaiting(const std::vector<Assignment>& assignments);

// The wait is over: each device still waiting answered the latest search
// from elsewhere ("other address") or not at all ("not seen").
void EndWaiting(std::vector<Assignment>& assignments);

} // namespace Discovery
