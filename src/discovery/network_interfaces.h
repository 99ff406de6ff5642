// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace Discovery {

// One IPv4 adapter a broadcast can leave through.
struct NetworkInterface {
    std::string name;
    unsigned index = 0;
    std::uint32_t address = 0; // host byte order
    std::uint32_t netmask = 0; // host byte order
};

// The IPv4 interfaces that are up, not loopback and able to broadcast, in
// the system's order, limited to `only` when that names any.
std::vector<NetworkInterface> BroadcastInterfaces(const std::vector<std::string>& only = {});

// Every IPv4 address (host byte order) of this machine's adapters that are
// up, loopback included.
std::vector<std::uint32_t> LocalAddresses();

// Dotted text of a host-order address.
std::string AddressText(std::uint32_t address);

} // namespace Discovery
