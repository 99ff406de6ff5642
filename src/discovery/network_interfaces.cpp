// SPDX-License-Identifier: MIT
#include "discovery/network_interfaces.h"

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <netinet/in.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <memory>

namespace Discovery {

namespace {

// Calls `take` for every IPv4 address of an adapter that is up.
template <typename Take>
void ForEachUpAddress(Take take)
{
    ifaddrs* raw = nullptr;
    if (getifaddrs(&raw) != 0)
        return;
    const std::unique_ptr<ifaddrs, decltype(&freeifaddrs)> list(raw, &freeifaddrs);
    for (const ifaddrs* i = raw; i != nullptr; i = i->ifa_next) {
        if (i->ifa_addr != nullptr && i->ifa_addr->sa_family == AF_INET && i->ifa_name != nullptr &&
            (i->ifa_flags & IFF_UP) != 0)
            take(*i);
    }
}

} // namespace

std::string AddressText(std::uint32_t address)
{
    in_addr a{htonl(address)};
    char text[INET_ADDRSTRLEN] = {};
    inet_ntop(AF_INET, &a, text, sizeof text);
    return text;
}

std::vector<NetworkInterface> UpInterfaces()
{
    std::vector<NetworkInterface> found;
    ForEachUpAddress([&](const ifaddrs& entry) {
        NetworkInterface adapter;
        adapter.name = entry.ifa_name;
        adapter.index = if_nametoindex(entry.ifa_name);
        adapter.address = ntohl(reinterpret_cast<const sockaddr_in*>(entry.ifa_addr)->sin_addr.s_addr);
        if (entry.ifa_netmask != nullptr)
            adapter.netmask = ntohl(reinterpret_cast<const sockaddr_in*>(entry.ifa_netmask)->sin_addr.s_addr);
        adapter.loopback = (entry.ifa_flags & IFF_LOOPBACK) != 0;
        adapter.canBroadcast = (entry.ifa_flags & IFF_BROADCAST) != 0;
        // An adapter with two addresses is still one way out.
        const bool seen = std::any_of(found.begin(), found.end(),
                                      [&](const NetworkInterface& f) { return f.name == adapter.name; });
        if (adapter.index != 0 && !seen)
            found.push_back(adapter);
    });
    return found;
}

std::vector<NetworkInterface> BroadcastInterfaces(const std::vector<std::string>& only)
{
    std::vector<NetworkInterface> kept;
    for (NetworkInterface& adapter : UpInterfaces()) {
        if (adapter.loopback || !adapter.canBroadcast)
            continue;
        if (!only.empty() && std::find(only.begin(), only.end(), adapter.name) == only.end())
            continue;
        kept.push_back(std::move(adapter));
    }
    return kept;
}

std::vector<NetworkInterface> SearchInterfaces(const std::vector<std::string>* names)
{
    std::vector<NetworkInterface> up = UpInterfaces();
    std::vector<NetworkInterface> kept;
    if (names == nullptr) {
        std::copy_if(up.begin(), up.end(), std::back_inserter(kept),
                     [](const NetworkInterface& adapter) { return !adapter.loopback; });
        return kept;
    }
    for (const std::string& name : *names) {
        const auto it = std::find_if(up.begin(), up.end(), [&](const NetworkInterface& a) { return a.name == name; });
        const bool taken = std::any_of(kept.begin(), kept.end(), [&](const NetworkInterface& a) { return a.name == name; });
        if (it != up.end() && !taken)
            kept.push_back(*it);
    }
    return kept;
}

std::vector<std::uint32_t> LocalAddresses()
{
    std::vector<std::uint32_t> addresses;
    ForEachUpAddress([&](const ifaddrs& entry) {
        addresses.push_back(ntohl(reinterpret_cast<const sockaddr_in*>(entry.ifa_addr)->sin_addr.s_addr));
    });
    return addresses;
}

std::optional<std::uint32_t> DefaultGatewayIn(std::string_view routeTable, const std::string& name)
{
    std::istringstream lines{std::string(routeTable)};
    std::string line;
    std::getline(lines, line); // the heading
    while (std::getline(lines, line)) {
        std::istringstream columns(line);
        std::string iface, destination, gateway;
        if (!(columns >> iface >> destination >> gateway) || iface != name || destination != "00000000")
            continue;
        try {
            // The kernel prints the address as it lies in memory: network order.
            const auto raw = static_cast<std::uint32_t>(std::stoul(gateway, nullptr, 16));
            if (raw != 0)
                return ntohl(raw);
        } catch (const std::exception&) {
        }
    }
    return std::nullopt;
}

std::optional<std::uint32_t> DefaultGateway(const std::string& name)
{
    std::ifstream table("/proc/thread-self/net/route");
    if (!table)
        table.open("/proc/net/route");
    std::ostringstream text;
    text << table.rdbuf();
    return DefaultGatewayIn(text.str(), name);
}

} // namespace Discovery
