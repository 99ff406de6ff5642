// SPDX-License-Identifier: MIT
#include "discovery/address_assignment.h"

#include <gtest/gtest.h>

using namespace Discovery;

namespace {

DeviceInfo Seen(const char* ip, const char* mac)
{
    DeviceInfo d{};
    CopyToField(d.ip, ip);
    CopyToField(d.mac, mac);
    return d;
}

} // namespace

// Searches after sending, in order, and the status each leaves: only the
// device's own MAC from its planned address confirms it.
TEST(AddressAssignment, OnlyItsOwnMacFromItsNewAddressConfirmsADevice)
{
    const struct {
        std::vector<std::vector<DeviceInfo>> rounds;
        const char* status;
        std::optional<int> seconds;
    } cases[] = {
        {{{}, {Seen("10.0.0.20", "02-00-00-00-00-01")}}, "confirmed", 2},
        // Another device at the planned address is not this one.
        {{{Seen("10.0.0.20", "02:00:00:00:00:99")}}, "not seen", std::nullopt},
        {{{Seen("192.168.1.64", "02:00:00:00:00:01")}}, "other address", std::nullopt},
        // Seen at the old address before its restart, then never again.
        {{{Seen("192.168.1.64", "02:00:00:00:00:01")}, {}}, "not seen", std::nullopt},
    };
    for (const auto& c : cases) {
        Assignment a;
        a.device = Seen("192.168.1.64", "02:00:00:00:00:01");
        a.ip = "10.0.0.20";
        a.status = AssignStatus::Waiting;
        std::vector<Assignment> assignments = {a};
        int seconds = 0;
        for (const auto& round : c.rounds)
            TakeConfirmations(assignments, round, ++seconds);
        EndWaiting(assignments);
        EXPECT_EQ(AssignStatusName(assignments[0].status), c.status);
        EXPECT_EQ(assignments[0].seconds, c.seconds);
    }
}
