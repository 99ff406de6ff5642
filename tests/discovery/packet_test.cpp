// SPDX-License-Identifier: MIT
#include "discovery/framing.h"
#include "discovery/packet.h"
#include "discovery/protocol_constants.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <vector>

using namespace Discovery;

namespace {

// The eleven fields of a well-formed reply, after "Kestravon,01,".
const std::string kFields =
    "IPX-200,Orvane,Lobby cam,192.168.1.20,80,255.255.255.0,192.168.1.1,192.168.1.2,"
    "00:11:22:33:44:55,eth0,hello";

std::string Text(const DeviceInfo& info, int field) { return std::string(FieldText(FieldAt(info, field))); }

} // namespace

TEST(DeviceInfoLayout, MatchesTheWireRecord)
{
    EXPECT_EQ(sizeof(DeviceInfo), 296u);
    // model, proj, name, ip, trigger_port, netmask, gateway, dns, mac, dev, note.
    const std::size_t offsets[] = {0, 32, 64, 128, 144, 152, 168, 184, 200, 224, 240};
    const DeviceInfo info{};
    for (int f = 0; f < kDeviceFieldCount; ++f)
        EXPECT_EQ(static_cast<std::size_t>(FieldAt(info, f).data() - reinterpret_cast<const char*>(&info)),
                  offsets[f]) << kDeviceFieldNames[static_cast<std::size_t>(f)];
}

TEST(DeviceInfoLayout, CopyToFieldAlwaysKeepsTheTerminator)
{
    DeviceInfo info{};
    info.name.fill('x');
    EXPECT_TRUE(CopyToField(info.trigger_port, "8080"));
    EXPECT_EQ(FieldText(info.trigger_port), "8080");
    EXPECT_FALSE(CopyToField(info.trigger_port, "123456789"));
    EXPECT_EQ(FieldText(info.trigger_port), "1234567"); // width 8 less the NUL
    EXPECT_EQ(info.trigger_port.back(), '\0');
    // The neighbour is untouched.
    EXPECT_EQ(info.netmask[0], '\0');
    EXPECT_TRUE(CopyToField(info.name, ""));
    EXPECT_EQ(std::string(info.name.data(), 64), std::string(64, '\0')); // old text zero-filled
}

TEST(BuildPacket, FramesTheQueryAsTwentyFourCharacters)
{
    MemoryLog log;
    std::vector<char> out(kDatagramBufferSize, 'z');
    ASSERT_EQ(BuildPacket(kSearchQuery, out, nullptr, log), 0);
    const std::string framed(out.data());
    // 17 characters and the inverted NUL: 18 bytes, 24 characters, no padding.
    EXPECT_EQ(framed.size(), 24u);
    EXPECT_EQ(framed.find('='), std::string::npos);
    EXPECT_TRUE(log.lines().empty());

    const std::string plain = UnframeText(framed);
    ASSERT_EQ(plain.size(), 18u);
    EXPECT_EQ(plain, std::string("Kestravon,00,????", 18)); // text and its restored NUL

    DeviceInfo info{};
    EXPECT_EQ(ParsePacket(plain, info, log), 0);
}

TEST(BuildPacket, RelayQueryAndFieldCarryingFlags)
{
    MemoryLog log;
    std::vector<char> out(kDatagramBufferSize, '\0');
    ASSERT_EQ(BuildPacket(kRelayQuery, out, nullptr, log), 0);
    EXPECT_EQ(UnframeText(out.data()), std::string("Kestravon,02,????", 18));

    DeviceInfo info{};
    CopyToField(info.model, "M");
    CopyToField(info.note, "static");
    ASSERT_EQ(BuildPacket(kControlPackage, out, &info, log), 0);
    const std::string expected = "Kestravon,03,M,,,,,,,,,,static";
    EXPECT_EQ(UnframeText(out.data()), expected + '\0');
    ASSERT_EQ(log.lines().size(), 1u);
    EXPECT_EQ(log.lines().back(), "[" + expected + "]");
}

TEST(BuildPacket, RefusesWhatItCannotBuildAndLeavesTheOutputAlone)
{
    MemoryLog log;
    std::vector<char> out(kDatagramBufferSize, 'z');
    EXPECT_EQ(BuildPacket(kDeviceReply, out, nullptr, log), -1);
    EXPECT_EQ(BuildPacket(kControlPackage, out, nullptr, log), -1);
    EXPECT_EQ(BuildPacket(7, out, nullptr, log), -1);
    EXPECT_EQ(out[0], 'z');
    EXPECT_TRUE(log.contains("Invalid pInfo [1]"));
    EXPECT_TRUE(log.contains("Invalid pInfo [3]"));
    EXPECT_TRUE(log.contains("Undefined flag = 7"));
}

TEST(BuildPacket, WidestRecordFitsAndRoundTrips)
{
    MemoryLog log;
    DeviceInfo info{};
    for (int f = 0; f < kDeviceFieldCount; ++f) {
        std::span<char> field = FieldAt(info, f);
        std::fill(field.begin(), field.end() - 1, 'w');
    }
    CopyToField(info.ip, "192.168.100.200");
    CopyToField(info.netmask, "255.255.255.0");
    CopyToField(info.trigger_port, "0000080");
    CopyToField(info.mac, "aa:bb:cc:dd:ee:ff:00:11");
    std::vector<char> out(kDatagramBufferSize);
    ASSERT_EQ(BuildPacket(kDeviceReply, out, &info, log), 0);
    DeviceInfo back{};
    EXPECT_EQ(ParsePacket(UnframeText(out.data()), back, log), 1);
    for (int f = 0; f < kDeviceFieldCount; ++f)
        EXPECT_EQ(Text(back, f), Text(info, f)) << kDeviceFieldNames[static_cast<std::size_t>(f)];
}

TEST(ParsePacket, WellFormedReplyFillsEveryField)
{
    MemoryLog log;
    DeviceInfo info{};
    ASSERT_EQ(ParsePacket("Kestravon,01," + kFields, info, log), 1);
    const char* expected[] = {"IPX-200", "Orvane", "Lobby cam", "192.168.1.20", "80", "255.255.255.0",
                              "192.168.1.1", "192.168.1.2", "00:11:22:33:44:55", "eth0", "hello"};
    for (int f = 0; f < kDeviceFieldCount; ++f)
        EXPECT_EQ(Text(info, f), expected[f]) << kDeviceFieldNames[static_cast<std::size_t>(f)];
    EXPECT_TRUE(log.lines().empty());
}

TEST(ParsePacket, EmptyFieldsBecomeOneBlank)
{
    MemoryLog log;
    DeviceInfo info{};
    ASSERT_EQ(ParsePacket("Kestravon,01,IPX,,cam,,,192.168.1.20,80", info, log), 1);
    EXPECT_EQ(Text(info, kProj), " ");
    // " " is no address: the blanks meant for ip and port are dropped, and the
    // address behind them lands in ip.
    EXPECT_EQ(Text(info, kName), "cam");
    EXPECT_EQ(Text(info, kIp), "192.168.1.20");
    EXPECT_EQ(Text(info, kTriggerPort), "80");
    // A trailing empty field gives no token at all.
    DeviceInfo tail{};
    ASSERT_EQ(ParsePacket("Kestravon,01,a,b,", tail, log), 1);
    EXPECT_EQ(Text(tail, kName), "");
}

TEST(ParsePacket, FailedChecksDropTheTokenAndShiftLaterFields)
{
    MemoryLog log;
    DeviceInfo info{};
    // "cam-ip" is no address: "80" is then checked (and accepted) as the address.
    ASSERT_EQ(ParsePacket("Kestravon,01,M,P,N,cam-ip,80,255.255.255.0", info, log), 1);
    EXPECT_EQ(Text(info, kIp), "80"); // inet_addr reads a bare number as an address
    EXPECT_EQ(Text(info, kTriggerPort), "");
    EXPECT_EQ(Text(info, kNetmask), "");

    // 255.255.255.255 cannot be told from a parse failure and is refused.
    DeviceInfo all{};
    ASSERT_EQ(ParsePacket("Kestravon,01,M,P,N,255.255.255.255,10.0.0.1,80", all, log), 1);
    EXPECT_EQ(Text(all, kIp), "10.0.0.1");
    EXPECT_EQ(Text(all, kTriggerPort), "80");

    // Ports outside 0..65535 are dropped; a port without digits reads as 0 and passes.
    for (const char* port : {"70000", "-1", "99999999999999999999"}) {
        DeviceInfo p{};
        ParsePacket(std::string("Kestravon,01,M,P,N,10.0.0.1,") + port + ",8080", p, log);
        EXPECT_EQ(Text(p, kTriggerPort), "8080") << port;
    }
    DeviceInfo word{};
    ParsePacket("Kestravon,01,M,P,N,10.0.0.1,web", word, log);
    EXPECT_EQ(Text(word, kTriggerPort), "web");

    // A MAC with "-" separators is refused; five ":" are enough.
    DeviceInfo mac{};
    ParsePacket("Kestravon,01,M,P,N,10.0.0.1,80,255.0.0.0,g,d,00-11-22-33-44-55,:::::,dev", mac, log);
    EXPECT_EQ(Text(mac, kMac), ":::::");
    EXPECT_EQ(Text(mac, kDev), "dev");
}

TEST(ParsePacket, OverlongTokensNeverOverflow)
{
    MemoryLog log;
    DeviceInfo info{};
    const std::string longName(500, 'n');
    const std::string longIp = "192.168.001.0010"; // a valid address of 16 characters
    ASSERT_EQ(ParsePacket("Kestravon,01,M,P," + longName + "," + longIp + ",10.0.0.9,80", info, log), 1);
    // Free text is cut to fit, terminator kept.
    EXPECT_EQ(Text(info, kName), std::string(63, 'n'));
    // A checked field takes a token only whole: the long address is refused.
    EXPECT_EQ(Text(info, kIp), "10.0.0.9");
    EXPECT_EQ(Text(info, kTriggerPort), "80");
    for (int f = 0; f < kDeviceFieldCount; ++f)
        EXPECT_EQ(FieldAt(info, f).back(), '\0');
}

TEST(ParsePacket, FlagsAndTagDecideTheResult)
{
    MemoryLog log;
    DeviceInfo info{};
    EXPECT_EQ(ParsePacket("Kestravon,07," + kFields, info, log), -1);
    EXPECT_TRUE(log.contains("flag(07) not implemented.\n"));
    // Fields are filled whatever the flag.
    EXPECT_EQ(Text(info, kModel), "IPX-200");

    log.clear();
    DeviceInfo bare{};
    EXPECT_EQ(ParsePacket("Kestravon", bare, log), -1);
    EXPECT_TRUE(log.contains("flag(-1) not implemented.\n"));

    log.clear();
    DeviceInfo other{};
    EXPECT_EQ(ParsePacket("KESTRAVON,01," + kFields, other, log), -1);
    EXPECT_EQ(ParsePacket("", other, log), -1);
    EXPECT_TRUE(log.lines().empty()); // foreign texts are dropped silently
    EXPECT_EQ(Text(other, kModel), "");

    // The character behind the tag is not checked; line feeds separate too.
    DeviceInfo lf{};
    EXPECT_EQ(ParsePacket("Kestravon;01\nM\nP", lf, log), 1);
    EXPECT_EQ(Text(lf, kProj), "P");
    // Leading blanks and a sign are allowed in the flag.
    EXPECT_EQ(ParsePacket("Kestravon, +1,M", lf, log), 1);
}

TEST(ParsePacket, ManyAdjacentCommasStayLinear)
{
    MemoryLog log;
    DeviceInfo info{};
    const std::string commas = "Kestravon,01," + std::string(60000, ',');
    EXPECT_EQ(ParsePacket(commas, info, log), 1);
    EXPECT_EQ(Text(info, kModel), " ");
    EXPECT_EQ(Text(info, kProj), " ");
}

TEST(MacText, NeedsFiveColons)
{
    EXPECT_TRUE(GetMacFromCString("00:11:22:33:44:55"));
    EXPECT_TRUE(GetMacFromCString(":::::"));
    EXPECT_FALSE(GetMacFromCString("00:11:22:33:4455"));
    EXPECT_FALSE(GetMacFromCString("00-11-22-33-44-55"));
    EXPECT_FALSE(GetMacFromCString(""));
}
