// SPDX-License-Identifier: MIT
#include "discovery/control_package.h"

#include "discovery/packet.h"
#include "discovery/protocol_constants.h"
#include "discovery/setup_check.h"

#include <algorithm>
#include <cstdint>
#include <optional>
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
    // Read as Apply reads it: inet_addr would take "10.1" as 10.0.0.1, pass
    // the IP edit and then blame a correct gateway for the IP's fault.
    const std::optional<std::uint32_t> address = ParseDottedQuad(text);
    return address && *address != 0xFFFFFFFFu;
}

bool GatewayInSubnet(std::string_view ip, std::string_view netmask, std::string_view gateway)
{
    const std::optional<std::uint32_t> i = ParseDottedQuad(ip);
    const std::optional<std::uint32_t> m = ParseDottedQuad(netmask);
    const std::optional<std::uint32_t> g = ParseDottedQuad(gateway);
    if (!i || !m || !g)
        return true;
    return (*i & *m) == (*g & *m);
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
