// SPDX-License-Identifier: MIT
#include "discovery/address_plan.h"

#include <algorithm>

namespace Discovery {

std::optional<std::string> FixedSkipReason(std::uint32_t address, std::uint32_t netmask, std::uint32_t gateway,
                                           std::uint32_t dns, const TakenAddresses& taken)
{
    // A /31 or /32 has no network or broadcast address of its own.
    if (~netmask > 1) {
        if ((address & ~netmask) == 0)
            return kSkipNetwork;
        if ((address & ~netmask) == ~netmask)
            return kSkipBroadcast;
    }
    if (address == gateway)
        return kSkipGateway;
    if (address == dns)
        return kSkipDns;
    if (taken.thisPc.count(address) != 0)
        return kSkipThisPc;
    if (taken.heldByDevice.count(address) != 0)
        return kSkipHeld;
    return std::nullopt;
}

AddressPlan PlanAddresses(const AddressRange& range, std::size_t count, const TakenAddresses& taken,
                          const InUseCheck& inUse)
{
    AddressPlan plan;
    const std::uint32_t last = (range.from & range.netmask) | ~range.netmask;
    std::uint64_t next = range.from; // wide, so the walk ends after 255.255.255.255
    while (plan.addresses.size() < count && next <= last) {
        // Candidates for the addresses still missing, asked about together.
        std::vector<std::uint32_t> candidates;
        while (candidates.size() < count - plan.addresses.size() && next <= last) {
            const auto address = static_cast<std::uint32_t>(next++);
            if (auto reason = FixedSkipReason(address, range.netmask, range.gateway, range.dns, taken))
                plan.skipped.push_back({address, std::move(*reason)});
            else
                candidates.push_back(address);
        }
        const std::set<std::uint32_t> used = candidates.empty() || !inUse ? std::set<std::uint32_t>{}
                                                                          : inUse(candidates);
        for (const std::uint32_t address : candidates) {
            if (used.count(address) != 0)
                plan.skipped.push_back({address, kSkipInUse});
            else
                plan.addresses.push_back(address);
        }
    }
    std::sort(plan.skipped.begin(), plan.skipped.end(),
              [](const SkippedAddress& a, const SkippedAddress& b) { return a.address < b.address; });
    return plan;
}

} // namespace Discovery
