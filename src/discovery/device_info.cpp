// SPDX-License-Identifier: MIT
#include "discovery/device_info.h"

#include <algorithm>
#include <cstring>

namespace Discovery {

bool CopyToField(std::span<char> field, std::string_view text)
{
    if (field.empty())
        return text.empty();
    const std::size_t n = std::min(text.size(), field.size() - 1);
    std::fill(field.begin(), field.end(), '\0');
    std::memcpy(field.data(), text.data(), n);
    return n == text.size();
}

std::string_view FieldText(std::span<const char> field)
{
    const auto end = std::find(field.begin(), field.end(), '\0');
    return {field.data(), static_cast<std::size_t>(end - field.begin())};
}

std::span<char> FieldAt(DeviceInfo& info, int index)
{
    switch (index) {
    case kModel: return info.model;
    case kProj: return info.proj;
    case kName: return info.name;
    case kIp: return info.ip;
    case kTriggerPort: return info.trigger_port;
    case kNetmask: return info.netmask;
    case kGateway: return info.gateway;
    case kDns: return info.dns;
    case kMac: return info.mac;
    case kDev: return info.dev;
    case kNote: return info.note;
    default: return {};
    }
}

std::span<const char> FieldAt(const DeviceInfo& info, int index)
{
    return FieldAt(const_cast<DeviceInfo&>(info), index);
}

} // namespace Discovery
