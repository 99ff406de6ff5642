// SPDX-License-Identifier: MIT
#include "discovery/discovery_state.h"
#include "discovery/packet.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

using namespace Discovery;

namespace {

std::string Reply(const std::string& model, const std::string& proj, const std::string& ip,
                  const std::string& mac, const std::string& name = "cam")
{
    return "Kestravon,01," + model + "," + proj + "," + name + "," + ip +
           ",80,255.255.255.0,10.0.0.1,10.0.0.2," + mac + ",eth0,note";
}

// Plain packets, each closed by its NUL, as a decoded buffer holds them.
std::string Buffer(std::initializer_list<std::string> packets)
{
    std::string buffer;
    for (const std::string& p : packets)
        buffer += p + '\0';
    return buffer;
}

int Parse(DiscoveryState& state, const std::string& buffer)
{
    return state.ParserPlainPkg(std::span(buffer.data(), buffer.size()), buffer.size());
}

} // namespace

TEST(ParserPlainPkg, WalksEveryPacketOfABuffer)
{
    MemoryLog log;
    DiscoveryState state(log);
    const std::string buffer = Buffer({Reply("A", "Orvane", "10.0.0.10", "00:00:00:00:00:01"),
                                       Reply("B", "Mirkla", "10.0.0.11", "00:00:00:00:00:02"),
                                       Reply("C", "Belvin", "10.0.0.12", "00:00:00:00:00:03")});
    EXPECT_EQ(Parse(state, buffer), 3);
    ASSERT_EQ(state.devices.size(), 3u);
    EXPECT_EQ(state.nextRow, 4);
    EXPECT_EQ(state.grid.gridRowCount(), 4);
    EXPECT_EQ(state.grid.cell(DeviceGrid::kModelColumn, 1), "A");
    EXPECT_EQ(state.grid.cell(DeviceGrid::kIpColumn, 2), "10.0.0.11");
    EXPECT_EQ(state.grid.cell(DeviceGrid::kNetmaskColumn, 3), "255.255.255.0");
    EXPECT_EQ(state.grid.cell(DeviceGrid::kMacColumn, 3), "00:00:00:00:00:03");
    EXPECT_EQ(state.grid.cell(DeviceGrid::kPortColumn, 3), "80");
}

TEST(ParserPlainPkg, StopsAtTheFirstEmptyPacketOrTheBound)
{
    MemoryLog log;
    DiscoveryState state(log);
    std::string buffer = Buffer({Reply("A", "Orvane", "10.0.0.10", "00:00:00:00:00:01")});
    buffer += '\0'; // an empty packet ends the walk
    buffer += Buffer({Reply("B", "Orvane", "10.0.0.11", "00:00:00:00:00:02")});
    EXPECT_EQ(Parse(state, buffer), 1);

    DiscoveryState bounded(log);
    const std::string two = Buffer({Reply("A", "Orvane", "10.0.0.10", "00:00:00:00:00:01"),
                                    Reply("B", "Orvane", "10.0.0.11", "00:00:00:00:00:02")});
    const std::size_t firstLength = two.find('\0') + 1;
    EXPECT_EQ(bounded.ParserPlainPkg(std::span(two.data(), two.size()), firstLength), 1);
}

TEST(ParserPlainPkg, NeverReadsPastItsBufferWithoutANul)
{
    MemoryLog log;
    DiscoveryState state(log);
    // No terminator anywhere, and a bound larger than the buffer.
    const std::string unterminated = Reply("A", "Orvane", "10.0.0.10", "00:00:00:00:00:01");
    EXPECT_EQ(state.ParserPlainPkg(std::span(unterminated.data(), unterminated.size()), 1u << 20), 1);
}

TEST(ParserPlainPkg, DropsRepeatsByIpAndMac)
{
    MemoryLog log;
    DiscoveryState state(log);
    EXPECT_EQ(Parse(state, Buffer({Reply("A", "Orvane", "10.0.0.10", "00:00:00:00:00:01")})), 1);
    // Same ip and mac, other fields differ: a repeat.
    EXPECT_EQ(Parse(state, Buffer({Reply("Z", "Mirkla", "10.0.0.10", "00:00:00:00:00:01", "x")})), 0);
    // Same ip, another mac: a new device; the comparison is case-sensitive.
    EXPECT_EQ(Parse(state, Buffer({Reply("A", "Orvane", "10.0.0.10", "00:00:00:00:00:02")})), 1);
    EXPECT_EQ(Parse(state, Buffer({Reply("A", "Orvane", "10.0.0.10", "00:00:00:00:00:0A"),
                                   Reply("A", "Orvane", "10.0.0.10", "00:00:00:00:00:0a")})), 2);
    EXPECT_EQ(state.devices.size(), 4u);
    EXPECT_EQ(state.grid.gridRowCount(), 5);
    // Devices a relay page or the UPnP results listed count as well, however they were appended.
    DeviceInfo relayed{};
    ParsePacket(Reply("R", "Orvane", "10.0.0.20", "00:00:00:00:00:20"), relayed, log);
    state.appendDevice(relayed);
    ParsePacket(Reply("R", "Orvane", "10.0.0.21", "00:00:00:00:00:21"), relayed, log);
    state.devices.push_back(relayed);
    EXPECT_EQ(Parse(state, Buffer({Reply("S", "Orvane", "10.0.0.20", "00:00:00:00:00:20"),
                                   Reply("S", "Orvane", "10.0.0.21", "00:00:00:00:00:21")})), 0);
    EXPECT_EQ(FieldText(state.devices[4].model), "R"); // the first one listed stays
}

TEST(ParserPlainPkg, DeviceLimitDropsRepliesPastIt)
{
    MemoryLog log;
    DiscoveryState state(log);
    state.deviceLimit = 2;
    EXPECT_EQ(Parse(state, Buffer({Reply("A", "Orvane", "10.0.0.10", "00:00:00:00:00:01"),
                                   Reply("A", "Orvane", "10.0.0.10", "00:00:00:00:00:01"),
                                   Reply("B", "Orvane", "10.0.0.11", "00:00:00:00:00:02"),
                                   Reply("C", "Orvane", "10.0.0.12", "00:00:00:00:00:03")})), 2);
    EXPECT_EQ(Parse(state, Buffer({Reply("D", "Orvane", "10.0.0.13", "00:00:00:00:00:04")})), 0);
    EXPECT_EQ(state.devices.size(), 2u);
    EXPECT_EQ(state.grid.gridRowCount(), 3);
    EXPECT_TRUE(state.deviceLimitReached());
    EXPECT_EQ(std::count(log.lines().begin(), log.lines().end(),
                         "Device limit of 2 reached; further replies ignored\n"), 1);
    state.clearForRound(); // the next round starts from nothing
    EXPECT_EQ(Parse(state, Buffer({Reply("D", "Orvane", "10.0.0.13", "00:00:00:00:00:04")})), 1);
}

TEST(ParserPlainPkg, ProjectFilterHidesRowsButListsTheDevices)
{
    MemoryLog log;
    DiscoveryState state(log);
    state.projectFilter = "Mirkla";
    const std::string buffer = Buffer({Reply("A", "Orvane", "10.0.0.10", "00:00:00:00:00:01"),
                                       Reply("B", "Mirkla", "10.0.0.11", "00:00:00:00:00:02"),
                                       Reply("C", "mirkla", "10.0.0.12", "00:00:00:00:00:03")});
    EXPECT_EQ(Parse(state, buffer), 3);
    EXPECT_EQ(state.devices.size(), 3u);
    EXPECT_EQ(state.grid.gridRowCount(), 2);
    EXPECT_EQ(state.grid.cell(DeviceGrid::kModelColumn, 1), "B");

    // "UPNP" hides every datagram device whose project is not literally "UPNP".
    DiscoveryState upnp(log);
    upnp.projectFilter = "UPNP";
    EXPECT_EQ(Parse(upnp, buffer), 3);
    EXPECT_EQ(upnp.grid.gridRowCount(), 1);
    // "all" in lower case is a project name here, not the catch-all.
    upnp.projectFilter = "all";
    EXPECT_FALSE(upnp.PassesProjectFilter("Orvane"));
    upnp.projectFilter = "ALL";
    EXPECT_TRUE(upnp.PassesProjectFilter("anything"));
}

TEST(ParserPlainPkg, QueriesAndForeignTextsAddNothing)
{
    MemoryLog log;
    DiscoveryState state(log);
    const std::string buffer = Buffer({"Kestravon,00,????", "Other,01,x", "Kestravon,03,a,b"});
    EXPECT_EQ(Parse(state, buffer), 0);
    EXPECT_TRUE(state.devices.empty());
    EXPECT_TRUE(log.contains("flag(03) not implemented.\n"));
}

TEST(ParserPlainPkg, ClearForRoundEmptiesListAndGrid)
{
    MemoryLog log;
    DiscoveryState state(log);
    Parse(state, Buffer({Reply("A", "Orvane", "10.0.0.10", "00:00:00:00:00:01")}));
    state.clearForRound();
    EXPECT_TRUE(state.devices.empty());
    EXPECT_EQ(state.nextRow, 1);
    EXPECT_EQ(state.grid.gridRowCount(), 1);
    state.grid.setGridRowCount(2);
    EXPECT_EQ(state.grid.cell(DeviceGrid::kModelColumn, 1), ""); // no stale text comes back
    // The cleared device is new again, in this round and after the list alone was emptied.
    EXPECT_EQ(Parse(state, Buffer({Reply("A", "Orvane", "10.0.0.10", "00:00:00:00:00:01")})), 1);
    state.clearDevices();
    EXPECT_EQ(Parse(state, Buffer({Reply("A", "Orvane", "10.0.0.10", "00:00:00:00:00:01")})), 1);
}
