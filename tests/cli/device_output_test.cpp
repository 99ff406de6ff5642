// SPDX-License-Identifier: MIT
#include "cli/device_output.h"

#include <gtest/gtest.h>

using namespace Cli;
using namespace Discovery;

namespace {

void AddReplies(DiscoveryState& state, std::initializer_list<std::string> replies)
{
    std::string buffer;
    for (const std::string& r : replies)
        buffer += r + '\0';
    state.ParserPlainPkg(std::span(buffer.data(), buffer.size()), buffer.size());
}

} // namespace

TEST(DeviceOutput, TableShowsGridRowsAndTheCountLine)
{
    NullLog log;
    DiscoveryState state(log);
    AddReplies(state, {"Kestravon,01,IPX,Orvane,Hall,10.0.0.7,80,255.255.255.0,g,d,00:00:00:00:00:07,e,n"});
    const std::string table = FormatTable(state, 1);
    EXPECT_EQ(table,
              "Model  Project  Name  IP        Port  Netmask        MAC\n"
              "IPX    Orvane   Hall  10.0.0.7  80    255.255.255.0  00:00:00:00:00:07\n"
              "1 device(s) found!\n");
    // --all-fields: gateway, DNS, dev and note of the device behind the row follow.
    EXPECT_EQ(FormatTable(state, 1, true),
              "Model  Project  Name  IP        Port  Netmask        MAC                Gateway  DNS  DEV  Note\n"
              "IPX    Orvane   Hall  10.0.0.7  80    255.255.255.0  00:00:00:00:00:07  g        d    e    n\n"
              "1 device(s) found!\n");
    DiscoveryState empty(log);
    empty.grid.setGridRowCount(2);
    EXPECT_EQ(FormatTable(empty, 0).substr(FormatTable(empty, 0).find('\n') + 1), "0 device(s) found!\n");
}

// Any host on the LAN names itself: table and CSV must not let it recolour
// or rewrite the terminal, and must stay UTF-8.
TEST(DeviceOutput, DeviceBytesNeverReachTheTerminalRaw)
{
    const std::string kReplacement = "\xef\xbf\xbd"; // U+FFFD
    const std::pair<std::string, std::string> cases[] = {
        {"Lobby", "Lobby"},
        {"caf\xc3\xa9 \xe2\x82\xac", "caf\xc3\xa9 \xe2\x82\xac"},     // UTF-8 stays as it is
        {"\x1b[31mred", kReplacement + "[31mred"},                  // ESC: colours, cursor moves
        {"bell\a", "bell" + kReplacement},                          // BEL
        {"over\rwrite", "over" + kReplacement + "write"},           // bare CR rewrites the line
        {"tab\tdel\x7f", "tab" + kReplacement + "del" + kReplacement},
        {"\xc2\x9b" "2J", kReplacement + "2J"},                     // C1 CSI, as UTF-8
        {"\xe2\x80\xae" "txt.exe", kReplacement + "txt.exe"},       // right-to-left override
        {"\xff" "A\xc3", kReplacement + "A" + kReplacement},        // not UTF-8, cut sequence
    };
    for (const auto& [raw, shown] : cases)
        EXPECT_EQ(TerminalText(raw), shown) << raw;

    NullLog log;
    DiscoveryState state(log);
    AddReplies(state, {"Kestravon,01,M\x1b]0;owned\a,Orvane,Hall\xff,10.0.0.7,80,255.255.255.0,g\r,d,"
                       "00:00:00:00:00:07,e,n"});
    const std::string table = FormatTable(state, 1, true);
    const std::string csv = FormatCsv(state, 1, true);
    for (const std::string& out : {table, csv}) {
        EXPECT_EQ(out.find_first_of("\x1b\a\r\xff"), std::string::npos) << out;
        EXPECT_NE(out.find("M" + kReplacement + "]0;owned" + kReplacement), std::string::npos) << out;
        EXPECT_NE(out.find("Hall" + kReplacement), std::string::npos) << out;
    }
}

TEST(DeviceOutput, CsvQuotesWhatNeedsIt)
{
    NullLog log;
    DiscoveryState state(log);
    AddReplies(state, {"Kestravon,01,M,Orvane,Hall \"A\"\nx,10.0.0.7,80,255.255.255.0,g,d,00:00:00:00:00:07,e,n"});
    // The line feed separates tokens; the quote in the name survives, quoted.
    EXPECT_EQ(FormatCsv(state, 1),
              "Model,Project,Name,IP,Port,Netmask,MAC,Warnings\n"
              "M,Orvane,\"Hall \"\"A\"\"\",10.0.0.7,80,255.255.255.0,00:00:00:00:00:07,\n");
}

TEST(DeviceOutput, JsonListsExactlyTheDevicesThatPassTheFilterWithAllElevenFields)
{
    NullLog log;
    DiscoveryState state(log);
    state.projectFilter = "Orvane";
    AddReplies(state, {"Kestravon,01,M,Orvane,a\\b,10.0.0.7,80,255.255.255.0,g,d,00:00:00:00:00:07,e,\x01\xff",
                       // In the list but not in the grid: not in the output either.
                       "Kestravon,01,N,Mirkla,x,10.0.0.8,80,255.255.255.0,g,d,00:00:00:00:00:08,e,n"});
    ASSERT_EQ(state.devices.size(), 2u);
    EXPECT_EQ(FormatJson(state, 1),
              "[\n  {\"model\": \"M\", \"proj\": \"Orvane\", \"name\": \"a\\\\b\", \"ip\": \"10.0.0.7\", "
              "\"trigger_port\": \"80\", \"netmask\": \"255.255.255.0\", \"gateway\": \"g\", \"dns\": \"d\", "
              "\"mac\": \"00:00:00:00:00:07\", \"dev\": \"e\", \"note\": \"\\u0001\xef\xbf\xbd\", \"warnings\": []}\n]\n");
    // A round that shows nothing lists nothing.
    EXPECT_EQ(FormatJson(state, 0), "[]\n");
}

// Two cameras on one address, one of them outside the subnet of the adapter
// it answered on: every format says so, the table and CSV in a last column.
TEST(DeviceOutput, EveryFormatShowsTheMarkers)
{
    NullLog log;
    DiscoveryState state(log);
    const std::string replies = std::string("Kestravon,01,M,Orvane,A,10.0.0.7,80,255.255.255.0,g,d,00:00:00:00:00:07,e,n") +
                                '\0' + "Kestravon,01,M,Orvane,B,10.0.0.7,80,255.255.255.0,g,d,00:00:00:00:00:08,e,n" +
                                '\0';
    state.ParserPlainPkg(std::span(replies.data(), replies.size()), replies.size(), 3);
    const Adapters adapters = {{"eth0", 3, 0xC0A80101u, 0xFFFFFF00u}}; // 192.168.1.1/24
    EXPECT_EQ(FormatTable(state, 2, false, adapters),
              "Model  Project  Name  IP        Port  Netmask        MAC                Warnings\n"
              "M      Orvane   A     10.0.0.7  80    255.255.255.0  00:00:00:00:00:07  ip-conflict other-subnet\n"
              "M      Orvane   B     10.0.0.7  80    255.255.255.0  00:00:00:00:00:08  ip-conflict other-subnet\n"
              "2 device(s) found!\n");
    EXPECT_NE(FormatCsv(state, 2, false, adapters).find(",00:00:00:00:00:08,ip-conflict other-subnet\n"), std::string::npos);
    EXPECT_NE(FormatJson(state, 2, adapters).find("\"warnings\": [\"ip-conflict\", \"other-subnet\"]}"),
              std::string::npos);
}
