// SPDX-License-Identifier: MIT
#include "discovery/control_package.h"
#include "discovery/packet.h"

#include "loopback.h"

#include <gtest/gtest.h>

#include <net/if.h>
#include <poll.h>
#include <sys/socket.h>

using namespace Discovery;

namespace {

SetupEdits Edits()
{
    return {"IPX", "Orvane", "Hall", "192.168.1.10", "80", "255.255.255.0", "192.168.1.1", "192.168.1.2",
            "00:11:22:33:44:55", "eth0"};
}

} // namespace

TEST(SetupChecks, AddressesAndGateway)
{
    EXPECT_TRUE(ParsesAsAddress("192.168.1.10"));
    EXPECT_FALSE(ParsesAsAddress("255.255.255.255")); // the all-ones value
    EXPECT_FALSE(ParsesAsAddress("192.168.1"  ".300"));
    EXPECT_FALSE(ParsesAsAddress(""));
    EXPECT_FALSE(ParsesAsAddress("192.168.1.10 junk")); // inet_addr alone would take it
    EXPECT_FALSE(ParsesAsAddress(" 192.168.1.10"));
    EXPECT_FALSE(ParsesAsAddress("10.1"));          // inet_addr's 10.0.0.1
    EXPECT_FALSE(ParsesAsAddress("0x0a.0.0.1"));    // and its hex
    EXPECT_FALSE(ParsesAsAddress("192.168.001.10")); // and its octal
    EXPECT_TRUE(GatewayInSubnet("192.168.1.10", "255.255.255.0", "192.168.1.1"));
    EXPECT_FALSE(GatewayInSubnet("192.168.1.10", "255.255.255.0", "192.168.2.1"));
    // No comparison unless ip and netmask are addresses: "10.1" must not make
    // the correct gateway 10.77.0.1 look wrong.
    EXPECT_TRUE(GatewayInSubnet("10.1", "255.255.0.0", "10.77.0.1"));
    EXPECT_TRUE(GatewayInSubnet("192.168.1.10", "mask", "192.168.2.1"));
}

TEST(SetupRecord, ApplyCopiesTheEditsAndTheTypeWord)
{
    DeviceInfo record{};
    ASSERT_EQ(FillControlRecord(Edits(), NetworkType::Dhcp, record), -1);
    const std::string text = PlainPacketText(kControlPackage, &record);
    // DHCP still carries the shown addresses.
    EXPECT_EQ(text, "Kestravon,03,IPX,Orvane,Hall,192.168.1.10,80,255.255.255.0,192.168.1.1,192.168.1.2,"
                    "00:11:22:33:44:55,eth0,dhcp");
    ASSERT_EQ(FillControlRecord(Edits(), NetworkType::Static, record), -1);
    EXPECT_EQ(FieldText(record.note), "static");
    EXPECT_EQ(NetworkTypeWord(NetworkType::Eznet), "eznet");
    EXPECT_EQ(NetworkTypeWord(NetworkType::None), "");
}

TEST(SetupRecord, OverlongEditIsRefusedNotCut)
{
    SetupEdits edits = Edits();
    edits.ip = "192.168.100.1000"; // 16 characters: one more than the field holds
    DeviceInfo record{};
    EXPECT_EQ(FillControlRecord(edits, NetworkType::Static, record), kIp);
    EXPECT_EQ(FieldText(record.ip), ""); // nothing half-filled is left to send
    edits = Edits();
    edits.name = std::string(64, 'n');
    EXPECT_EQ(FillControlRecord(edits, NetworkType::Static, record), kName);
}

TEST(SetupRecord, EditsFromDeviceRoundTrip)
{
    DeviceInfo record{};
    ASSERT_EQ(FillControlRecord(Edits(), NetworkType::None, record), -1);
    const SetupEdits back = EditsFromDevice(record);
    EXPECT_EQ(back.mac, "00:11:22:33:44:55");
    EXPECT_EQ(back.port, "80");
    EXPECT_EQ(back.dev, "eth0");
}

TEST(SendControlPackage, SendsOneFramedPackageToTheDevicesPort)
{
    const SocketHandle device = TestSupport::LoopbackUdp();
    const NetworkEndpoints e =
        TestSupport::LoopbackEndpoints(TestSupport::BoundPort(device.get()), TestSupport::FreeLoopbackPort());

    DeviceInfo record{};
    FillControlRecord(Edits(), NetworkType::Static, record);
    MemoryLog log;
    ASSERT_EQ(SendControlPackage(record, SearchSettings{}, log, 0, e), 0);
    pollfd p{device.get(), POLLIN, 0};
    ASSERT_EQ(poll(&p, 1, 1000), 1);
    char buffer[2048] = {};
    const ssize_t n = recv(device.get(), buffer, sizeof buffer, 0);
    ASSERT_GT(n, 0);
    EXPECT_EQ(UnframeText(std::string_view(buffer, static_cast<std::size_t>(n))),
              PlainPacketText(kControlPackage, &record) + '\0');
    EXPECT_TRUE(log.contains("[" + PlainPacketText(kControlPackage, &record) + "]"));
}

TEST(ArrivalInterface, RememberedPerDevice)
{
    MemoryLog log;
    DiscoveryState state(log);
    const std::string a = std::string("Kestravon,01,M,P,N,10.0.0.1,80,255.0.0.0,g,d,00:00:00:00:00:01,e,n") + '\0';
    const unsigned lo = if_nametoindex("lo");
    state.ParserPlainPkg(std::span(a.data(), a.size()), a.size(), lo);
    ASSERT_EQ(state.devices.size(), 1u);
    EXPECT_EQ(state.arrivalInterface(state.devices[0]), lo);
    DeviceInfo other{};
    EXPECT_EQ(state.arrivalInterface(other), 0u);
    state.clearForRound();
    state.ParserPlainPkg(std::span(a.data(), a.size()), a.size());
    EXPECT_EQ(state.arrivalInterface(state.devices[0]), 0u);
}
