// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace Discovery {

// One IPv4 adapter, with its first address.
struct NetworkInterface {
    std::string name;
    unsigned index = 0;
    std::uint32_t address = 0; // host byte order
    std::uint32_t netmask = 0; // host byte order
    bool loopback = false;
    bool canBroadcast = false;
};

// Every adapter that is up and has an IPv4 address, one entry each, in the
// system's order, loopback included. The one walk over the adapters that
// the broadcast search, the UPnP search and the tools all start from.
std::vector<NetworkInterface> UpInterfaces();

// The adapters a broadcast can leave through (up, not loopback, able to
// broadcast), limited to `only` when that names any.
std::vector<NetworkInterface> BroadcastInterfaces(const std::vector<std::string>& only = {});

// The adapters a UPnP search runs on: with no names every one that is up
// but loopback; with names those of them that are up, in the order given.
std::vector<NetworkInterface> SearchInterfaces(const std::vector<std::string>* names);

// Every IPv4 address (host byte order) of this machine's adapters that are
// up, loopback and second addresses included.
std::vector<std::uint32_t> LocalAddresses();

// The gateway of the default route through adapter `name` (host byte
// order), from the kernel's routing table; nothing when it has none.
std::optional<std::uint32_t> DefaultGateway(const std::string& name);
// The same, read from text in the form of /proc/net/route.
std::optional<std::uint32_t> DefaultGatewayIn(std::string_view routeTable, const std::string& name);

// Dotted text of a host-order address.
std::string AddressText(std::uint32_t address);

} // namespace Discovery
