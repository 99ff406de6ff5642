// SPDX-License-Identifier: MIT
#include "discovery/address_assignment.h"

#include "discovery/mac_address.h"

#include <algorithm>

namespace Discovery {

std::string_view AssignStatusName(AssignStatus status)
{
    switch (status) {
    case AssignStatus::Planned: return "planned";
    case AssignStatus::Waiting: return "waiting";
    case AssignStatus::Confirmed: return "confirmed";
    case AssignStatus::NotSeen: return "not seen";
    case AssignStatus::OtherAddress: return "other address";
    }
    return {};
}

void TakeConfirmations(std::vector<Assignment>& assignments, const std::vector<DeviceInfo>& round,
                       int secondsSinceSent)
{
    for (Assignment& a : assignments) {
        if (a.status != AssignStatus::Waiting)
            continue;
        const std::string_view mac = FieldText(a.device.mac);
        std::string elsewhere;
        for (const DeviceInfo& seen : round) {
            if (!SameMac(FieldText(seen.mac), mac))
                continue;
            if (FieldText(seen.ip) == a.ip) {
                a.status = AssignStatus::Confirmed;
                a.seconds = secondsSinceSent;
                a.seenIp = a.ip;
                break;
            }
            elsewhere = FieldText(seen.ip);
        }
        // What counts at the end is where the latest search saw it.
        if (a.status == AssignStatus::Waiting)
            a.seenIp = elsewhere;
    }
}

bool AnyWaiting(const std::vector<Assignment>& assignments)
{
    return std::any_of(assignments.begin(), assignments.end(),
                       [](const Assignment& a) { return a.status == AssignStatus::Waiting; });
}

void EndWaiting(std::vector<Assignment>& assignments)
{
    for (Assignment& a : assignments)
        if (a.status == AssignStatus::Waiting)
            a.status = a.seenIp.empty() ? AssignStatus::NotSeen : AssignStatus::OtherAddress;
}

} // namespace Discovery
