// SPDX-License-Identifier: MIT
#include "discovery/device_markers.h"

#include "discovery/device_grid.h"
#include "discovery/mac_address.h"
#include "discovery/setup_check.h"

#include <algorithm>
#include <map>
#include <string>

namespace Discovery {

std::string_view MarkerName(DeviceMarker marker)
{
    switch (marker) {
    case DeviceMarker::IpConflict: return "ip-conflict";
    case DeviceMarker::OtherSubnet: return "other-subnet";
    }
    return {};
}

bool HasMacAddress(std::string_view mac)
{
    return !mac.empty() && !MarksUpnpRow(mac);
}

std::vector<std::vector<DeviceMarker>> ComputeMarkers(const std::vector<MarkedDevice>& devices)
{
    // The MACs seen at each ip; one device answering twice is still one MAC.
    std::map<std::string_view, std::vector<std::string_view>> macsAt;
    for (const MarkedDevice& device : devices) {
        if (!HasMacAddress(device.mac))
            continue;
        std::vector<std::string_view>& macs = macsAt[device.ip];
        if (std::none_of(macs.begin(), macs.end(), [&](std::string_view m) { return SameMac(m, device.mac); }))
            macs.push_back(device.mac);
    }
    std::vector<std::vector<DeviceMarker>> markers(devices.size());
    for (std::size_t d = 0; d < devices.size(); ++d) {
        const MarkedDevice& device = devices[d];
        if (!HasMacAddress(device.mac))
            continue;
        if (macsAt[device.ip].size() > 1)
            markers[d].push_back(DeviceMarker::IpConflict);
        const std::optional<std::uint32_t> ip = ParseDottedQuad(device.ip);
        if (device.adapter && device.adapter->netmask != 0 &&
            ip && (*ip & device.adapter->netmask) != (device.adapter->address & device.adapter->netmask))
            markers[d].push_back(DeviceMarker::OtherSubnet);
    }
    return markers;
}

std::vector<std::vector<DeviceMarker>> RoundMarkers(const DiscoveryState& state,
                                                    const std::vector<NetworkInterface>& adapters)
{
    std::vector<MarkedDevice> marked;
    marked.reserve(state.devices.size());
    for (const DeviceInfo& device : state.devices) {
        MarkedDevice m{FieldText(device.ip), FieldText(device.mac), std::nullopt};
        const unsigned index = state.arrivalInterface(device);
        const auto adapter = std::find_if(adapters.begin(), adapters.end(),
                                          [&](const NetworkInterface& a) { return a.index == index; });
        if (index != 0 && adapter != adapters.end())
            m.adapter = *adapter;
        marked.push_back(m);
    }
    return ComputeMarkers(marked);
}

} // namespace Discovery
