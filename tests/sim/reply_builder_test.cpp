// SPDX-License-Identifier: MIT
#include "sim/device_store.h"
#include "sim/garbage.h"
#include "sim/reply_builder.h"
#include "sim/sim_options.h"

#include "discovery/log_sink.h"
#include "discovery/packet.h"
#include "discovery/protocol_constants.h"

#include "wire.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace Sim;
using Discovery::DeviceInfo;

namespace {

std::vector<std::string> Packets(const std::string& framed)
{
    return LanHarness::PlainPackets(Discovery::UnframeText(framed));
}

// The widest record there is: every field full.
DeviceInfo Widest(int i)
{
    DeviceInfo info{};
    for (int f = 0; f < Discovery::kDeviceFieldCount; ++f) {
        std::span<char> field = Discovery::FieldAt(info, f);
        std::fill(field.begin(), field.end() - 1, static_cast<char>('a' + f));
    }
    info.mac[0] = static_cast<char>('A' + i % 26);
    return info;
}

} // namespace

TEST(ReplyDatagrams, CarryPackPacketsEachWithItsNul)
{
    const std::vector<DeviceInfo> devices = GenerateDevices(7, 1);
    // One per datagram by default.
    const std::vector<std::string> single = BuildReplyDatagrams(devices, 1);
    ASSERT_EQ(single.size(), 7u);
    EXPECT_EQ(Discovery::UnframeText(single[0]), PlainReply(devices[0]));
    // Packs of three: 3 + 3 + 1, in device order.
    const std::vector<std::string> packed = BuildReplyDatagrams(devices, 3);
    ASSERT_EQ(packed.size(), 3u);
    EXPECT_EQ(Discovery::UnframeText(packed[0]), PlainReply(devices[0]) + PlainReply(devices[1]) + PlainReply(devices[2]));
    EXPECT_EQ(Packets(packed[2]).size(), 1u);
    EXPECT_TRUE(BuildReplyDatagrams({}, 3).empty());
    EXPECT_EQ(BuildReplyDatagrams(devices, 0).size(), 7u); // a pack below one is one
}

TEST(ReplyDatagrams, NeverExceedOneUdpDatagram)
{
    std::vector<DeviceInfo> devices;
    for (int i = 0; i < 400; ++i)
        devices.push_back(Widest(i));
    const std::vector<std::string> datagrams = BuildReplyDatagrams(devices, kMaxPack);
    ASSERT_GT(datagrams.size(), 1u); // 400 widest packets cannot share one datagram
    std::size_t total = 0;
    for (const std::string& d : datagrams) {
        EXPECT_LE(d.size(), kMaxUdpPayload);
        // ... nor the receiver's 65,536-byte decode buffer.
        EXPECT_LT(Discovery::UnframeText(d).size(), Discovery::kDatagramBufferSize);
        total += Packets(d).size();
    }
    EXPECT_EQ(total, devices.size());
}

TEST(RelayText, HoldsEveryDeviceInOneFramedText)
{
    const std::vector<DeviceInfo> devices = GenerateDevices(5, 9);
    const std::vector<std::string> packets = Packets(BuildRelayText(devices));
    ASSERT_EQ(packets.size(), 5u);
    Discovery::NullLog quiet;
    for (std::size_t i = 0; i < packets.size(); ++i) {
        DeviceInfo back{};
        EXPECT_EQ(Discovery::ParsePacket(packets[i], back, quiet), 1);
        EXPECT_EQ(Discovery::FieldText(back.mac), Discovery::FieldText(devices[i].mac));
    }
    EXPECT_TRUE(BuildRelayText({}).empty());
}

TEST(IncomingPackage, ReadsTheFlagAsTheParserDoes)
{
    EXPECT_EQ(PackageFlag("Kestravon,00,????"), 0);
    EXPECT_EQ(PackageFlag("Kestravon,02,????"), 2);
    EXPECT_EQ(PackageFlag("Kestravon,03,a,b"), 3);
    EXPECT_EQ(PackageFlag("Kestravon,7"), 7);
    EXPECT_EQ(PackageFlag("Kestravon;,,02"), 2);   // the character after the tag is not checked
    EXPECT_EQ(PackageFlag("Kestravon,\n, 01,x"), 1); // separators run together, blanks lead
    EXPECT_EQ(PackageFlag("Kestravon,x1"), 0);      // no digits reads as 0, as atoi would
    EXPECT_EQ(PackageFlag("Kestravon"), -1);
    EXPECT_EQ(PackageFlag("Kestravon,"), -1);
    EXPECT_EQ(PackageFlag("Kestravon,,,"), -1);
    EXPECT_EQ(PackageFlag("kestravon,00,????"), -1);
    EXPECT_EQ(PackageFlag(""), -1);
    EXPECT_EQ(PackageFlag("Kestravon,99999999999999999999"), 1000000000); // saturates, no overflow

    const IncomingPackage package = ReadIncomingPackage(LanHarness::FramedPacket(Discovery::kRelayQuery));
    EXPECT_EQ(package.flag, 2);
    EXPECT_EQ(package.text, "Kestravon,02,????");
    // Junk reads as no flag, whatever its size.
    EXPECT_EQ(ReadIncomingPackage("").flag, -1);
    EXPECT_EQ(ReadIncomingPackage(std::string(70000, 'A')).flag, -1);
}

TEST(Garbage, EveryDatagramIsWhatItsNameSays)
{
    const std::vector<GarbageDatagram> junk = GarbageDatagrams();
    ASSERT_GE(junk.size(), 15u);
    Discovery::MemoryLog log;
    bool sawEmpty = false;
    bool sawLargest = false;
    for (const GarbageDatagram& d : junk) {
        EXPECT_LE(d.bytes.size(), kMaxUdpPayload) << d.name;
        sawEmpty |= d.bytes.empty();
        sawLargest |= d.bytes.size() == kMaxUdpPayload;
        // Whether the packet parser takes it for a device reply, as documented.
        int replies = 0;
        for (const std::string& packet : Packets(d.bytes)) {
            DeviceInfo info{};
            replies += Discovery::ParsePacket(packet, info, log) == 1 ? 1 : 0;
        }
        EXPECT_EQ(replies, d.readsAsReply ? 1 : 0) << d.name;
    }
    EXPECT_TRUE(sawEmpty);
    EXPECT_TRUE(sawLargest);
    // The same bytes every time, so tests can compare what arrives.
    EXPECT_EQ(GarbageDatagrams()[15].bytes, junk[15].bytes);
    // The flag lines the parser writes show which flags were there.
    EXPECT_TRUE(log.contains("flag(07) not implemented.\n"));
    EXPECT_TRUE(log.contains("flag(02) not implemented.\n"));
    EXPECT_TRUE(log.contains("flag(03) not implemented.\n"));
}

TEST(Garbage, RelayTextEndsWithTheRealDevices)
{
    const std::vector<DeviceInfo> devices = GenerateDevices(2, 4);
    const std::vector<std::string> packets = Packets(GarbageRelayText(PlainReply(devices[0]) + PlainReply(devices[1])));
    ASSERT_GT(packets.size(), 2u);
    EXPECT_EQ(packets[packets.size() - 1] + '\0', PlainReply(devices[1]));
    EXPECT_EQ(packets[packets.size() - 2] + '\0', PlainReply(devices[0]));
}
