// SPDX-License-Identifier: MIT
#include "discovery/discovery_state.h"
#include "discovery/packet.h"

#include "replies.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

using namespace Discovery;
using TestSupport::Buffer;
using TestSupport::Reply;

namespace {

int Parse(DiscoveryState& state, const std::string& buffer)
{
    return state.ParserPlainPkg(std::span(buffer.data(), buffer.size()), buffer.size());
}

class ParserPlainPkg : public ::testing::Test {
protected:
    MemoryLog log;
    DiscoveryState state{log};
};

} // namespace

TEST_F(ParserPlainPkg, WalksEveryPacketOfABuffer)
{
    const std::string buffer = Buffer({Reply("A", "10.0.0.10", "00:00:00:00:00:01", "80", "Orvane"),
                                       Reply("B", "10.0.0.11", "00:00:00:00:00:02", "80", "Mirkla"),
                                       Reply("C", "10.0.0.12", "00:00:00:00:00:03", "80", "Belvin")});
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

TEST_F(ParserPlainPkg, StopsAtTheFirstEmptyPacketOrTheBound)
{
    std::string buffer = Buffer({Reply("A", "10.0.0.10", "00:00:00:00:00:01", "80", "Orvane")});
    buffer += '\0'; // an empty packet ends the walk
    buffer += Buffer({Reply("B", "10.0.0.11", "00:00:00:00:00:02", "80", "Orvane")});
    EXPECT_EQ(Parse(state, buffer), 1);

    DiscoveryState bounded(log);
    const std::string two = Buffer({Reply("A", "10.0.0.10", "00:00:00:00:00:01", "80", "Orvane"),
                                    Reply("B", "10.0.0.11", "00:00:00:00:00:02", "80", "Orvane")});
    const std::size_t firstLength = two.find('\0') + 1;
    EXPECT_EQ(bounded.ParserPlainPkg(std::span(two.data(), two.size()), firstLength), 1);
}

TEST_F(ParserPlainPkg, NeverReadsPastItsBufferWithoutANul)
{
    // No terminator anywhere, and a bound larger than the buffer.
    const std::string unterminated = Reply("A", "10.0.0.10", "00:00:00:00:00:01", "80", "Orvane");
    EXPECT_EQ(state.ParserPlainPkg(std::span(unterminated.data(), unterminated.size()), 1u << 20), 1);
}

TEST_F(ParserPlainPkg, DropsRepeatsByIpAndMac)
{
    EXPECT_EQ(Parse(state, Buffer({Reply("A", "10.0.0.10", "00:00:00:00:00:01", "80", "Orvane")})), 1);
    // Same ip and mac, other fields differ: a repeat.
    EXPECT_EQ(Parse(state, Buffer({Reply("Z", "10.0.0.10", "00:00:00:00:00:01", "80", "Mirkla")})), 0);
    // Same ip, another mac: a new device; the comparison is case-sensitive.
    EXPECT_EQ(Parse(state, Buffer({Reply("A", "10.0.0.10", "00:00:00:00:00:02", "80", "Orvane")})), 1);
    EXPECT_EQ(Parse(state, Buffer({Reply("A", "10.0.0.10", "00:00:00:00:00:0A", "80", "Orvane"),
                                   Reply("A", "10.0.0.10", "00:00:00:00:00:0a", "80", "Orvane")})), 2);
    EXPECT_EQ(state.devices.size(), 4u);
    EXPECT_EQ(state.grid.gridRowCount(), 5);
    // Devices a relay page or the UPnP results listed count as well, however they were appended.
    DeviceInfo relayed{};
    ParsePacket(Reply("R", "10.0.0.20", "00:00:00:00:00:20", "80", "Orvane"), relayed, log);
    state.appendDevice(relayed);
    ParsePacket(Reply("R", "10.0.0.21", "00:00:00:00:00:21", "80", "Orvane"), relayed, log);
    state.devices.push_back(relayed);
    EXPECT_EQ(Parse(state, Buffer({Reply("S", "10.0.0.20", "00:00:00:00:00:20", "80", "Orvane"),
                                   Reply("S", "10.0.0.21", "00:00:00:00:00:21", "80", "Orvane")})), 0);
    EXPECT_EQ(FieldText(state.devices[4].model), "R"); // the first one listed stays
}

TEST_F(ParserPlainPkg, DeviceLimitDropsRepliesPastIt)
{
    state.deviceLimit = 2;
    EXPECT_EQ(Parse(state, Buffer({Reply("A", "10.0.0.10", "00:00:00:00:00:01", "80", "Orvane"),
                                   Reply("A", "10.0.0.10", "00:00:00:00:00:01", "80", "Orvane"),
                                   Reply("B", "10.0.0.11", "00:00:00:00:00:02", "80", "Orvane"),
                                   Reply("C", "10.0.0.12", "00:00:00:00:00:03", "80", "Orvane")})), 2);
    EXPECT_EQ(Parse(state, Buffer({Reply("D", "10.0.0.13", "00:00:00:00:00:04", "80", "Orvane")})), 0);
    EXPECT_EQ(state.devices.size(), 2u);
    EXPECT_EQ(state.grid.gridRowCount(), 3);
    EXPECT_TRUE(state.deviceLimitReached());
    EXPECT_EQ(std::count(log.lines().begin(), log.lines().end(),
                         "Device limit of 2 reached; further replies ignored\n"), 1);
    state.clearForRound(); // the next round starts from nothing
    EXPECT_EQ(Parse(state, Buffer({Reply("D", "10.0.0.13", "00:00:00:00:00:04", "80", "Orvane")})), 1);
}

TEST_F(ParserPlainPkg, ProjectFilterHidesRowsButListsTheDevices)
{
    state.projectFilter = "Mirkla";
    const std::string buffer = Buffer({Reply("A", "10.0.0.10", "00:00:00:00:00:01", "80", "Orvane"),
                                       Reply("B", "10.0.0.11", "00:00:00:00:00:02", "80", "Mirkla"),
                                       Reply("C", "10.0.0.12", "00:00:00:00:00:03", "80", "mirkla")});
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

TEST_F(ParserPlainPkg, QueriesAndForeignTextsAddNothing)
{
    const std::string buffer = Buffer({"Kestravon,00,????", "Other,01,x", "Kestravon,03,a,b"});
    EXPECT_EQ(Parse(state, buffer), 0);
    EXPECT_TRUE(state.devices.empty());
    EXPECT_TRUE(log.contains("flag(03) not implemented.\n"));
}

TEST_F(ParserPlainPkg, ClearForRoundEmptiesListAndGrid)
{
    Parse(state, Buffer({Reply("A", "10.0.0.10", "00:00:00:00:00:01", "80", "Orvane")}));
    state.clearForRound();
    EXPECT_TRUE(state.devices.empty());
    EXPECT_EQ(state.nextRow, 1);
    EXPECT_EQ(state.grid.gridRowCount(), 1);
    state.grid.setGridRowCount(2);
    EXPECT_EQ(state.grid.cell(DeviceGrid::kModelColumn, 1), ""); // no stale text comes back
    // The cleared device is new again, in this round and after the list alone was emptied.
    EXPECT_EQ(Parse(state, Buffer({Reply("A", "10.0.0.10", "00:00:00:00:00:01", "80", "Orvane")})), 1);
    state.clearDevices();
    EXPECT_EQ(Parse(state, Buffer({Reply("A", "10.0.0.10", "00:00:00:00:00:01", "80", "Orvane")})), 1);
}
