// SPDX-License-Identifier: MIT
#pragma once

#include "discovery/discovery_state.h"
#include "discovery/network_interfaces.h"

#include <optional>
#include <string_view>
#include <vector>

namespace Discovery {

// What a search tells the user about a device beyond its fields.
enum class DeviceMarker {
    IpConflict,  // another device of the round holds its ip with another MAC
    OtherSubnet, // its ip lies outside the subnet of the adapter it answered on
};

// "ip-conflict" or "other-subnet": the words the tools print.
std::string_view MarkerName(DeviceMarker marker);

// One device as the markers see it.
struct MarkedDevice {
    std::string_view ip, mac;
    // The adapter its answer came in on; none when unknown (a relay search).
    std::optional<NetworkInterface> adapter;
};

// The markers of each device, in the devices' order. A device without a MAC
// address (a UPnP row, whose MAC reads "NULL") gets none and conflicts with none.
std::vector<std::vector<DeviceMarker>> ComputeMarkers(const std::vector<MarkedDevice>& devices);

// The markers of every listed device of a round, with its arrival adapter
// looked up among `adapters`.
std::vector<std::vector<DeviceMarker>> RoundMarkers(const DiscoveryState& state,
                                                    const std::vector<NetworkInterface>& adapters);

// True when `mac` is a device's MAC address as the datagram search gives it,
// not the "NULL" of a UPnP row.
bool HasMacAddress(std::string_view mac);

} // namespace Discovery
