// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace Discovery {

// The heading of a plan file: one device per line after it.
inline constexpr char kPlanFileHeading[] = "mac,ip,netmask,gateway,dns";

// One device's line of a plan file, its MAC in canonical form.
struct PlanLine {
    int line = 0; // 1 is the heading
    std::string mac, ip, netmask, gateway, dns;
};

// What is wrong with a plan file, and where (0: the file as a whole).
struct PlanFileError {
    int line = 0;
    std::string reason;
};

// Reads a plan file (CSV, heading kPlanFileHeading). Each line must give a
// MAC address and four addresses the setup check accepts, with a gateway
// inside the subnet unless `allowForeignGateway`; no MAC and no ip may come
// twice. Blank lines are skipped. Returns the lines, or the first error in `error`.
std::optional<std::vector<PlanLine>> ReadPlanFile(std::string_view text, bool allowForeignGateway,
                                                  PlanFileError& error);

// A plan as the file ReadPlanFile reads.
std::string WritePlanFile(const std::vector<PlanLine>& lines);

// Why a gateway outside the subnet of ip and netmask is refused, in words for the user.
std::string ForeignGatewayReason(std::string_view ip, std::string_view netmask, std::string_view gateway);

} // namespace Discovery
