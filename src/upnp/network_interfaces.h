// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace Upnp {

// An interface the search may run on, with its first IPv4 address.
struct Ipv4Interface {
    std::string name;
    std::string address; // dotted
};

// Every IPv4 interface that is up, loopback left out, one entry per name.
std::vector<Ipv4Interface> UpIpv4Interfaces();

// The named interfaces that are up and carry an IPv4 address, in the order
// given; names that do not qualify are left out.
std::vector<Ipv4Interface> NamedIpv4Interfaces(const std::vector<std::string>& names);

} // namespace Upnp
