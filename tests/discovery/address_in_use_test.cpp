// SPDX-License-Identifier: MIT
#include "discovery/address_in_use.h"
#include "discovery/network_interfaces.h"
#include "discovery/setup_check.h"

#include <gtest/gtest.h>

using namespace Discovery;

// Only a host that answered counts as holding its address: an entry the
// kernel is still asking for, or gave up on, does not.
TEST(AddressInUse, OnlyResolvedNeighboursHoldTheirAddress)
{
    const char* table = "IP address       HW type     Flags       HW address            Mask     Device\n"
                        "10.77.1.3        0x1         0x2         4a:11:22:33:44:55     *        eth0\n"
                        "10.77.1.4        0x1         0x0         00:00:00:00:00:00     *        eth0\n"
                        "10.77.1.9        0x1         0x6         4a:11:22:33:44:56     *        eth1\n"
                        "garbage line\n";
    const auto resolved = ResolvedNeighbours(table);
    ASSERT_EQ(resolved.size(), 2u);
    EXPECT_EQ(resolved.find(*ParseDottedQuad("10.77.1.3"))->second, "eth0");
    EXPECT_EQ(resolved.find(*ParseDottedQuad("10.77.1.9"))->second, "eth1");
}

// An address outside every adapter's subnet cannot be asked about by ARP,
// and is said to be unchecked rather than free.
TEST(AddressInUse, AddressesOffEveryAdapterAreUnchecked)
{
    const NetworkInterface eth0{"eth0", 2, *ParseDottedQuad("10.77.1.1"), *ParseDottedQuad("255.255.255.0")};
    std::set<std::uint32_t> unchecked;
    const auto probes = ProbeAdapters({*ParseDottedQuad("10.77.1.20"), *ParseDottedQuad("192.168.1.20")}, {eth0},
                                      unchecked);
    EXPECT_EQ(probes.size(), 1u);
    EXPECT_EQ(probes.count(*ParseDottedQuad("10.77.1.20")), 1u);
    EXPECT_EQ(unchecked, std::set<std::uint32_t>{*ParseDottedQuad("192.168.1.20")});
}

// The commissioning dialog fills in the gateway of the adapter's default
// route; the kernel prints it in network byte order, and a route of
// another adapter or a network route is no default gateway.
TEST(AddressInUse, DefaultGatewayIsTheDefaultRouteOfThatAdapter)
{
    const char* table = "Iface\tDestination\tGateway \tFlags\tRefCnt\tUse\tMetric\tMask\t\tMTU\tWindow\tIRTT\n"
                        "eth1\t00000000\t01024D0A\t0003\t0\t0\t100\t00000000\t0\t0\t0\n"
                        "eth0\t00014D0A\t00000000\t0001\t0\t0\t0\t00FFFFFF\t0\t0\t0\n"
                        "eth0\t00000000\tFE014D0A\t0003\t0\t0\t0\t00000000\t0\t0\t0\n";
    EXPECT_EQ(DefaultGatewayIn(table, "eth0"), ParseDottedQuad("10.77.1.254"));
    EXPECT_EQ(DefaultGatewayIn(table, "eth1"), ParseDottedQuad("10.77.2.1"));
    EXPECT_EQ(DefaultGatewayIn(table, "eth2"), std::nullopt);
}
