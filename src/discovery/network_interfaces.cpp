// SPDX-License-Identifier: MIT
#include "discovery/network_interfaces.h"

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <netinet/in.h>

#include <algorithm>
#include <memory>

namespace Discovery {

std::string AddressText(std::uint32_t address)
{
    in_addr a{htonl(address)};
    char text[INET_ADDRSTRLEN] = {};
    inet_ntop(AF_INET, &a, text, sizeof text);
    return text;
}

std::vector<NetworkInterface> BroadcastInterfaces(const std::vector<std::string>& only)
{
    ifaddrs* raw = nullptr;
    if (getifaddrs(&raw) != 0)
        return {};
    const std::unique_ptr<ifaddrs, decltype(&freeifaddrs)> list(raw, &freeifaddrs);

    std::vector<NetworkInterface> found;
    for (const ifaddrs* i = raw; i != nullptr; i = i->ifa_next) {
        if (i->ifa_addr == nullptr || i->ifa_addr->sa_family != AF_INET)
            continue;
        const unsigned flags = i->ifa_flags;
        if (!(flags & IFF_UP) || (flags & IFF_LOOPBACK) || !(flags & IFF_BROADCAST))
            continue;
        if (!only.empty() && std::find(only.begin(), only.end(), i->ifa_name) == only.end())
            continue;
        NetworkInterface adapter;
        adapter.name = i->ifa_name;
        adapter.index = if_nametoindex(i->ifa_name);
        adapter.address = ntohl(reinterpret_cast<const sockaddr_in*>(i->ifa_addr)->sin_addr.s_addr);
        if (i->ifa_netmask != nullptr)
            adapter.netmask = ntohl(reinterpret_cast<const sockaddr_in*>(i->ifa_netmask)->sin_addr.s_addr);
        // An adapter with two addresses is still one way out.
        const bool seen = std::any_of(found.begin(), found.end(),
                                      [&](const NetworkInterface& f) { return f.index == adapter.index; });
        if (adapter.index != 0 && !seen)
            found.push_back(adapter);
    }
    return found;
}

std::vector<std::uint32_t> LocalAddresses()
{
    ifaddrs* raw = nullptr;
    if (getifaddrs(&raw) != 0)
        return {};
    const std::unique_ptr<ifaddrs, decltype(&freeifaddrs)> list(raw, &freeifaddrs);
    std::vector<std::uint32_t> addresses;
    for (const ifaddrs* i = raw; i != nullptr; i = i->ifa_next)
        if (i->ifa_addr != nullptr && i->ifa_addr->sa_family == AF_INET && (i->ifa_flags & IFF_UP))
            addresses.push_back(ntohl(reinterpret_cast<const sockaddr_in*>(i->ifa_addr)->sin_addr.s_addr));
    return addresses;
}

} // namespace Discovery
