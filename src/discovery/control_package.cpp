// SPDX-License-Identifier: MIT
#include "discovery/control_package.h"

#include "discovery/packet.h"
#include "discovery/protocol_constants.h"

#include <arpa/inet.h>

#include <algorithm>
#include <vector>

namespace Discovery {

SetupEdits EditsFromDevice(const DeviceInfo& info)
{
    const auto text = [](const auto& field) { return std::string(FieldText(field)); };
    return {text(info.model), text(info.proj), text(info.name),    text(info.ip),  text(info.trigger_port),
            text(info.netmask), text(info.gateway), text(info.dns), text(info.mac), text(info.dev)};
}

bool ParsesAsAddress(std::string_view text)
{
    // inet_addr stops at a blank and takes "1.2.3.4 junk"; a typed address
    // must be the address alone, or the junk would reach the device.
    if (text.find_first_of(" \t\n\v\f\r") != std::string_view::npos)
        return false;
    return inet_addr(std::string(text).c_str()) != INADDR_NONE;
}

bool GatewayInSubnet(std::string_view ip, std::string_view netmask, std::string_view gateway)
{
    const in_addr_t i = inet_addr(std::string(ip).c_str());
    const in_addr_t m = inet_addr(std::string(netmask).c_str());
    const in_addr_t g = inet_addr(std::string(gateway).c_str());
    return (i & m) == (g & m);
}

std::string NetworkTypeWord(NetworkType type)
{
    switch (type) {
    case NetworkType::Static: return "static";
    case NetworkType::Dhcp: return "dhcp";
    case NetworkType::Eznet: return "eznet";
    case NetworkType::None: break;
    }
    return {};
}

int FillControlRecord(const SetupEdits& edits, NetworkType type, DeviceInfo& record)
{
    record = DeviceInfo{};
    CopyToField(record.note, NetworkTypeWord(type));
    const std::pair<int, const std::string*> order[] = {
        {kModel, &edits.model},     {kProj, &edits.proj},       {kName, &edits.name},
        {kIp, &edits.ip},           {kTriggerPort, &edits.port}, {kNetmask, &edits.netmask},
        {kGateway, &edits.gateway}, {kDns, &edits.dns},         {kMac, &edits.mac},
        {kDev, &edits.dev}};
    for (const auto& [field, text] : order) {
        if (!CopyToField(FieldAt(record, field), *text)) {
            record = DeviceInfo{};
            return field;
        }
    }
    return -1;
}

int SendControlPackage(const DeviceInfo& record, const SearchSettings& settings, LogSink& log,
                       unsigned viaInterface, const NetworkEndpoints& endpoints, bool* adapterGone)
{
    if (adapterGone)
        *adapterGone = false;
    std::vector<char> out(kDatagramBufferSize, '\0');
    if (BuildPacket(kControlPackage, out, &record, log) != 0)
        return -1;
    std::optional<SocketHandle> replySocket = DM_CreateUDPBroadcastSocket(endpoints.replyPort, log, endpoints);
    if (!replySocket)
        return -1;

    std::optional<NetworkInterface> via;
    if (viaInterface != 0 && settings.localBroadcast) {
        const std::vector<NetworkInterface> adapters = BroadcastInterfaces();
        const auto found = std::find_if(adapters.begin(), adapters.end(),
                                        [&](const NetworkInterface& a) { return a.index == viaInterface; });
        if (found != adapters.end())
            via = *found;
        else {
            log.appendf("Adapter %u is gone; the control package takes the routed broadcast\n", viaInterface);
            if (adapterGone)
                *adapterGone = true;
        }
    }
    return SendBroadcastDatagram(endpoints.devicePort, out.data(), settings, log, endpoints,
                                 via ? &*via : nullptr);
}

} // namespace Discovery
