// SPDX-License-Identifier: MIT
#pragma once

#include "discovery/discovery_state.h"
#include "discovery/network_interfaces.h"

#include <optional>
#include <string>
#include <unordered_map>
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

// The markers of a growing list of devices, kept up to date as devices are
// added: each addition looks only at the new devices and at those a new
// conflict reaches, so a round of many thousands costs no more per device
// than a small one.
class MarkerTracker {
public:
    // Adds the next devices in the list's order. Returns the indexes (over
    // every device added) whose markers changed, each once.
    std::vector<std::size_t> add(const std::vector<MarkedDevice>& devices);
    // The markers of every device added, in order.
    const std::vector<std::vector<DeviceMarker>>& markers() const { return m_markers; }
    std::size_t size() const { return m_markers.size(); }
    void clear();

private:
    struct AtIp {
        std::vector<std::string> macs;    // one each, however often it answered
        std::vector<std::size_t> devices; // with a MAC address
    };
    std::unordered_map<std::string, AtIp> m_atIp;
    std::vector<std::vector<DeviceMarker>> m_markers;
};

// The markers of each device, in the devices' order. A device without a MAC
// address (a UPnP row, whose MAC reads "NULL") gets none and conflicts with none.
std::vector<std::vector<DeviceMarker>> ComputeMarkers(const std::vector<MarkedDevice>& devices);

// The listed devices of a round from index `first` on, as the markers see
// them: each with its arrival adapter looked up among `adapters`. The
// texts they point to are the list's own.
std::vector<MarkedDevice> MarkedRoundDevices(const DiscoveryState& state,
                                             const std::vector<NetworkInterface>& adapters, std::size_t first);

// The markers of every listed device of a round, with its arrival adapter
// looked up among `adapters`.
std::vector<std::vector<DeviceMarker>> RoundMarkers(const DiscoveryState& state,
                                                    const std::vector<NetworkInterface>& adapters);

// True when `mac` is a device's MAC address as the datagram search gives it,
// not the "NULL" of a UPnP row.
bool HasMacAddress(std::string_view mac);

} // namespace Discovery
