// SPDX-License-Identifier: MIT
#include "sim/device_store.h"

#include "discovery/mac_address.h"

#include <arpa/inet.h>

#include <cstdio>
#include <random>
#include <string>

namespace Sim {

using Discovery::CopyToField;
using Discovery::DeviceInfo;
using Discovery::FieldText;

namespace {

constexpr std::string_view kModels[] = {"QV-210", "QV-220W", "QV-410D", "TS-100", "TS-180P",
                                        "MX-2",   "VS-400",  "BL-12"};

bool IsDottedAddress(std::string_view text)
{
    in_addr address{};
    return inet_pton(AF_INET, std::string(text).c_str(), &address) == 1;
}

} // namespace

const char* ControlResultName(ControlResult result)
{
    switch (result) {
    case ControlResult::Applied: return "applied";
    case ControlResult::NoSuchDevice: return "no-such-device";
    case ControlResult::BadAddress: return "bad-address";
    case ControlResult::Unsupported: return "unsupported";
    }
    return "unknown";
}

std::vector<DeviceInfo> GenerateDevices(int count, std::uint32_t seed)
{
    std::vector<DeviceInfo> devices;
    if (count <= 0)
        return devices;
    devices.reserve(static_cast<std::size_t>(count));
    std::mt19937 random(seed);
    const unsigned s = seed & 0xFFFFu;
    for (int k = 0; k < count; ++k) {
        DeviceInfo info{};
        char text[64];
        CopyToField(info.model, kModels[random() % std::size(kModels)]);
        // Round robin, so every preset project shows up even in a small set.
        CopyToField(info.proj, kPresetProjects[(static_cast<unsigned>(k) + s) % std::size(kPresetProjects)]);
        std::snprintf(text, sizeof text, "Cam %u-%d", s, k + 1);
        CopyToField(info.name, text);
        // The ip is only a text in the reply: 10.<seed>.<k/250>.<k%250+1> never repeats.
        std::snprintf(text, sizeof text, "10.%u.%d.%d", s, k / 250, k % 250 + 1);
        CopyToField(info.ip, text);
        CopyToField(info.trigger_port, random() % 4 == 0 ? "8080" : "80");
        CopyToField(info.netmask, "255.255.0.0");
        std::snprintf(text, sizeof text, "10.%u.0.254", s);
        CopyToField(info.gateway, text);
        std::snprintf(text, sizeof text, "10.%u.0.253", s);
        CopyToField(info.dns, text);
        // Locally administered MAC carrying seed and index.
        std::snprintf(text, sizeof text, "02:51:%02X:%02X:%02X:%02X", 0u, s,
                      (static_cast<unsigned>(k) >> 8) & 0xFFu, static_cast<unsigned>(k) & 0xFFu);
        CopyToField(info.mac, text);
        CopyToField(info.dev, "eth0");
        CopyToField(info.note, "static");
        devices.push_back(info);
    }
    return devices;
}

DeviceStore::DeviceStore(std::vector<DeviceInfo> devices)
    : m_devices(std::move(devices)), m_silentUntil(m_devices.size())
{
}

std::vector<DeviceInfo> DeviceStore::answeringDevices(Clock::time_point now) const
{
    std::vector<DeviceInfo> answering;
    answering.reserve(m_devices.size());
    for (std::size_t d = 0; d < m_devices.size(); ++d)
        if (m_silentUntil[d] <= now)
            answering.push_back(m_devices[d]);
    return answering;
}

ControlResult DeviceStore::applyControlPackage(const DeviceInfo& package, int* applied, Clock::time_point now)
{
    if (applied != nullptr)
        *applied = 0;
    const std::string_view type = FieldText(package.note);
    const bool isStatic = type == "static";
    if (!isStatic && type != "dhcp")
        return ControlResult::Unsupported;
    // A device refuses a static setting it could not take as addresses.
    if (isStatic
        && !(IsDottedAddress(FieldText(package.ip)) && IsDottedAddress(FieldText(package.netmask))
             && IsDottedAddress(FieldText(package.gateway)) && IsDottedAddress(FieldText(package.dns))))
        return ControlResult::BadAddress;

    const std::string_view mac = FieldText(package.mac);
    int changed = 0;
    for (std::size_t d = 0; d < m_devices.size(); ++d) {
        DeviceInfo& device = m_devices[d];
        if (mac.empty() || !Discovery::SameMac(FieldText(device.mac), mac))
            continue;
        if (isStatic) {
            device.ip = package.ip;
            device.netmask = package.netmask;
            device.gateway = package.gateway;
            device.dns = package.dns;
        }
        CopyToField(device.note, type);
        m_silentUntil[d] = now + m_restartSilence;
        ++changed;
    }
    if (applied != nullptr)
        *applied = changed;
    return changed > 0 ? ControlResult::Applied : ControlResult::NoSuchDevice;
}

} // namespace Sim
