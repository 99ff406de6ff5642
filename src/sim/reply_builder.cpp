// SPDX-License-Identifier: MIT
#include "sim/reply_builder.h"

#include "discovery/packet.h"
#include "discovery/protocol_constants.h"

#include <algorithm>

namespace Sim {

namespace {

constexpr std::size_t FramedSize(std::size_t plainBytes) { return (plainBytes + 2) / 3 * 4; }

} // namespace

std::string PlainReply(const Discovery::DeviceInfo& info)
{
    std::string text = Discovery::PlainPacketText(Discovery::kDeviceReply, &info);
    text.push_back('\0');
    return text;
}

std::vector<std::string> BuildReplyDatagrams(std::span<const Discovery::DeviceInfo> devices, int pack)
{
    pack = std::max(pack, 1);
    std::vector<std::string> datagrams;
    std::string plain;
    int inPlain = 0;
    for (const Discovery::DeviceInfo& device : devices) {
        const std::string one = PlainReply(device);
        if (inPlain > 0 && (inPlain == pack || FramedSize(plain.size() + one.size()) > kMaxUdpPayload)) {
            datagrams.push_back(Discovery::FrameBytes(plain));
            plain.clear();
            inPlain = 0;
        }
        plain += one;
        ++inPlain;
    }
    if (inPlain > 0)
        datagrams.push_back(Discovery::FrameBytes(plain));
    return datagrams;
}

std::string BuildRelayText(std::span<const Discovery::DeviceInfo> devices)
{
    std::string plain;
    for (const Discovery::DeviceInfo& device : devices)
        plain += PlainReply(device);
    return Discovery::FrameBytes(plain);
}

int PackageFlag(std::string_view plain)
{
    plain = plain.substr(0, std::min(plain.find('\0'), plain.size()));
    if (plain.substr(0, Discovery::kVendorTagLength) != Discovery::kVendorTag)
        return -1;
    // The flag token starts after the tag and the one character behind it.
    if (plain.size() <= Discovery::kVendorTagLength + 1)
        return -1;
    std::string_view rest = plain.substr(Discovery::kVendorTagLength + 1);
    const std::size_t start = rest.find_first_not_of(",\n");
    if (start == std::string_view::npos)
        return -1;
    rest = rest.substr(start);
    const long flag = Discovery::ReadDecimal(rest.substr(0, rest.find_first_of(",\n")));
    return static_cast<int>(std::clamp(flag, -1000000000L, 1000000000L));
}

IncomingPackage ReadIncomingPackage(std::string_view framed)
{
    const std::string plain = Discovery::UnframeText(framed);
    IncomingPackage package;
    package.text = plain.substr(0, std::min(plain.find('\0'), plain.size()));
    package.flag = PackageFlag(package.text);
    return package;
}

} // namespace Sim
