// SPDX-License-Identifier: MIT
#include "discovery/device_markers.h"
#include "discovery/setup_check.h"

#include <gtest/gtest.h>

using namespace Discovery;

// Each row: one round's devices as (ip, mac, adapter subnet or none) and the
// markers each must carry.
TEST(DeviceMarkers, ConflictsAndOtherSubnetsAreMarkedAndNothingElse)
{
    const NetworkInterface eth0{"eth0", 2, *ParseDottedQuad("192.168.1.10"), *ParseDottedQuad("255.255.255.0")};
    struct Row {
        const char* ip;
        const char* mac;
        bool onEth0;
        std::vector<std::string> markers;
    };
    const std::vector<std::vector<Row>> rounds = {
        // Three factory-fresh cameras on one address, answering on the PC's subnet.
        {{"192.168.1.64", "02:00:00:00:00:01", true, {"ip-conflict"}},
         {"192.168.1.64", "02:00:00:00:00:02", true, {"ip-conflict"}},
         {"192.168.1.64", "02:00:00:00:00:03", true, {"ip-conflict"}},
         {"192.168.1.65", "02:00:00:00:00:04", true, {}}},
        // One device seen twice (its MAC written two ways) is no conflict;
        // a UPnP row at the same address neither.
        {{"10.0.0.5", "02:00:00:00:00:0a", true, {"other-subnet"}},
         {"10.0.0.5", "02-00-00-00-00-0A", true, {"other-subnet"}},
         {"10.0.0.5", "NULL", true, {}}},
        // Without the adapter (a relay search) no subnet is known.
        {{"10.0.0.6", "02:00:00:00:00:0b", false, {"ip-conflict"}},
         {"10.0.0.6", "02:00:00:00:00:0c", true, {"ip-conflict", "other-subnet"}}},
        // A conflict found after a device's own marker still comes first.
        {{"10.0.0.7", "02:00:00:00:00:0d", true, {"ip-conflict", "other-subnet"}},
         {"10.0.0.7", "02:00:00:00:00:0d", true, {"ip-conflict", "other-subnet"}},
         {"10.0.0.7", "02:00:00:00:00:0e", false, {"ip-conflict"}}},
    };
    for (const auto& round : rounds) {
        std::vector<MarkedDevice> devices;
        for (const Row& r : round)
            devices.push_back({r.ip, r.mac, r.onEth0 ? std::optional(eth0) : std::nullopt});
        const auto markers = ComputeMarkers(devices);
        for (std::size_t d = 0; d < round.size(); ++d) {
            std::vector<std::string> names;
            for (const DeviceMarker m : markers[d])
                names.emplace_back(MarkerName(m));
            EXPECT_EQ(names, round[d].markers) << round[d].ip << " " << round[d].mac;
        }
        // The window adds rows as they arrive: one at a time, the last one's
        // conflict reaches back to the devices listed before it.
        MarkerTracker tracker;
        std::vector<std::size_t> lastChanged;
        for (const MarkedDevice& device : devices)
            lastChanged = tracker.add({device});
        EXPECT_EQ(tracker.markers(), markers);
        const auto conflicts = [](const std::vector<DeviceMarker>& m) {
            return !m.empty() && m.front() == DeviceMarker::IpConflict;
        };
        if (conflicts(markers.front()) && conflicts(markers.back())) {
            EXPECT_EQ(lastChanged.front(), 0u) << "the first device's conflict was not reported";
        }
    }
}
