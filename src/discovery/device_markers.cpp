// SPDX-License-Identifier: MIT
#include "discovery/device_markers.h"

#include "discovery/device_grid.h"
#include "discovery/mac_address.h"
#include "discovery/setup_check.h"

#include <algorithm>
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

void MarkerTracker::clear()
{
    m_atIp.clear();
    m_markers.clear();
}

std::vector<std::size_t> MarkerTracker::add(const std::vector<MarkedDevice>& devices)
{
    std::vector<std::size_t> changed;
    const auto mark = [&](std::size_t d, DeviceMarker marker) {
        std::vector<DeviceMarker>& own = m_markers[d];
        if (std::find(own.begin(), own.end(), marker) != own.end())
            return;
        // A conflict comes first, however late it is found.
        own.insert(marker == DeviceMarker::IpConflict ? own.begin() : own.end(), marker);
        changed.push_back(d);
    };
    for (const MarkedDevice& device : devices) {
        const std::size_t d = m_markers.size();
        m_markers.emplace_back();
        if (!HasMacAddress(device.mac))
            continue;
        AtIp& at = m_atIp[std::string(device.ip)];
        at.devices.push_back(d);
        const bool newMac =
            std::none_of(at.macs.begin(), at.macs.end(), [&](const std::string& m) { return SameMac(m, device.mac); });
        if (newMac)
            at.macs.emplace_back(device.mac);
        if (at.macs.size() > 1) {
            // The second MAC at an address makes every device there a conflict.
            for (const std::size_t other : newMac && at.macs.size() == 2 ? at.devices : std::vector<std::size_t>{d})
                mark(other, DeviceMarker::IpConflict);
        }
        const std::optional<std::uint32_t> ip = ParseDottedQuad(device.ip);
        if (device.adapter && device.adapter->netmask != 0 &&
            ip && (*ip & device.adapter->netmask) != (device.adapter->address & device.adapter->netmask))
            mark(d, DeviceMarker::OtherSubnet);
    }
    std::sort(changed.begin(), changed.end());
    changed.erase(std::unique(changed.begin(), changed.end()), changed.end());
    return changed;
}

std::vector<std::vector<DeviceMarker>> ComputeMarkers(const std::vector<MarkedDevice>& devices)
{
    MarkerTracker tracker;
    tracker.add(devices);
    return tracker.markers();
}

std::vector<MarkedDevice> MarkedRoundDevices(const DiscoveryState& state,
                                             const std::vector<NetworkInterface>& adapters, std::size_t first)
{
    std::vector<MarkedDevice> marked;
    for (std::size_t d = first; d < state.devices.size(); ++d) {
        const DeviceInfo& device = state.devices[d];
        MarkedDevice m{FieldText(device.ip), FieldText(device.mac), std::nullopt};
        const unsigned index = state.arrivalInterface(device);
        const auto adapter = std::find_if(adapters.begin(), adapters.end(),
                                          [&](const NetworkInterface& a) { return a.index == index; });
        if (index != 0 && adapter != adapters.end())
            m.adapter = *adapter;
        marked.push_back(m);
    }
    return marked;
}

std::vector<std::vector<DeviceMarker>> RoundMarkers(const DiscoveryState& state,
                                                    const std::vector<NetworkInterface>& adapters)
{
    return ComputeMarkers(MarkedRoundDevices(state, adapters, 0));
}

} // namespace Discovery
