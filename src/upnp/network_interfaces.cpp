// SPDX-License-Identifier: MIT
#include "upnp/network_interfaces.h"

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <netinet/in.h>

#include <algorithm>
#include <memory>

namespace Upnp {

namespace {

struct IfaddrsFree {
    void operator()(ifaddrs* list) const
    {
        if (list)
            freeifaddrs(list);
    }
};

// Every up IPv4 interface, loopback included, first address per name.
std::vector<Ipv4Interface> AllUpIpv4(std::vector<bool>* loopback)
{
    std::vector<Ipv4Interface> found;
    ifaddrs* raw = nullptr;
    if (getifaddrs(&raw) != 0)
        return found;
    const std::unique_ptr<ifaddrs, IfaddrsFree> list(raw);
    for (const ifaddrs* entry = list.get(); entry; entry = entry->ifa_next) {
        if (!entry->ifa_addr || entry->ifa_addr->sa_family != AF_INET || !entry->ifa_name)
            continue;
        if (!(entry->ifa_flags & IFF_UP))
            continue;
        const std::string name(entry->ifa_name);
        if (std::any_of(found.begin(), found.end(), [&](const Ipv4Interface& i) { return i.name == name; }))
            continue;
        char text[INET_ADDRSTRLEN] = {};
        const auto* in = reinterpret_cast<const sockaddr_in*>(entry->ifa_addr);
        if (!inet_ntop(AF_INET, &in->sin_addr, text, sizeof text))
            continue;
        found.push_back({name, text});
        loopback->push_back((entry->ifa_flags & IFF_LOOPBACK) != 0);
    }
    return found;
}

} // namespace

std::vector<Ipv4Interface> UpIpv4Interfaces()
{
    std::vector<bool> loopback;
    const std::vector<Ipv4Interface> all = AllUpIpv4(&loopback);
    std::vector<Ipv4Interface> kept;
    for (std::size_t i = 0; i < all.size(); ++i)
        if (!loopback[i])
            kept.push_back(all[i]);
    return kept;
}

std::vector<Ipv4Interface> NamedIpv4Interfaces(const std::vector<std::string>& names)
{
    std::vector<bool> loopback;
    const std::vector<Ipv4Interface> all = AllUpIpv4(&loopback);
    std::vector<Ipv4Interface> kept;
    for (const std::string& name : names) {
        const auto it = std::find_if(all.begin(), all.end(), [&](const Ipv4Interface& i) { return i.name == name; });
        if (it != all.end() && std::none_of(kept.begin(), kept.end(), [&](const Ipv4Interface& i) { return i.name == name; }))
            kept.push_back(*it);
    }
    return kept;
}

} // namespace Upnp
