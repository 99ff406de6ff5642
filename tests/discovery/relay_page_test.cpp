// SPDX-License-Identifier: MIT
#include "discovery/relay_page.h"

#include "relay_page_literal.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

using namespace Discovery;

namespace {

std::string Row(std::initializer_list<std::string> cells)
{
    std::string line = "<tr>";
    for (const std::string& c : cells)
        line += "<td>" + c + "</td>";
    return line + "</tr>";
}

std::vector<std::string> Page(int devices)
{
    std::vector<std::string> lines = {"<html>", "<body><table>",
                                      Row({"Model", "Project", "Name", "IP", "Port", "Netmask", "MAC"})};
    for (int i = 1; i <= devices; ++i)
        lines.push_back(Row({"M" + std::to_string(i), "Orvane", "cam" + std::to_string(i),
                             "10.0.0." + std::to_string(i), "80", "255.255.255.0",
                             "00:00:00:00:00:0" + std::to_string(i)}));
    lines.push_back("</table>");
    lines.push_back("</body></html>");
    return lines;
}

std::string Repeated(std::string_view piece, int times)
{
    std::string text;
    for (int i = 0; i < times; ++i)
        text += piece;
    return text;
}

// A page of short lines made of markup pieces. Every other page is made of
// small pieces that become markers once the text between them is deleted.
std::vector<std::string> RandomPage(std::mt19937& random)
{
    static const std::vector<std::string> markup = {
        "<tr>", "</tr>", "<td>", "</td>", "<TABLE border=1>", "<strong>", "<title>", "<html>", "</body>",
        "<", ">", "x", "ab", " ", "<b>", "10.0.0.1", "<t", "d>", "</t", "td>"};
    static const std::vector<std::string> fragments = {"<td>", "</td>", "<t", "d>", "</", "<", "t", "d", ">", "x"};
    const std::vector<std::string>& pieces = random() % 2 ? markup : fragments;
    std::uniform_int_distribution<int> lineCount(0, 6), pieceCount(0, 14);
    std::uniform_int_distribution<std::size_t> piece(0, pieces.size() - 1);
    std::vector<std::string> lines(static_cast<std::size_t>(lineCount(random)));
    for (std::string& line : lines)
        for (int i = pieceCount(random); i > 0; --i)
            line += pieces[piece(random)];
    return lines;
}

bool SameDevices(const std::vector<DeviceInfo>& a, const std::vector<DeviceInfo>& b)
{
    return a.size() == b.size()
        && std::equal(a.begin(), a.end(), b.begin(),
                      [](const DeviceInfo& x, const DeviceInfo& y) { return std::memcmp(&x, &y, sizeof x) == 0; });
}

} // namespace

// The rules edit whole lines over and over; the parsing that avoids this
// must give what they give, page for page.
TEST(RelayPage, MatchesTheRulesAsWrittenOnRandomPages)
{
    const char* samples = std::getenv("QUENDREL_RELAY_PAGE_SAMPLES");
    const long count = samples ? std::atol(samples) : 5000;
    std::mt19937 random(11);
    NullLog log;
    for (long i = 0; i < count; ++i) {
        const std::vector<std::string> page = RandomPage(random);
        std::vector<std::string> fast = page, literal = page;
        CleanHtml(fast);
        LiteralRules::CleanHtml(literal);
        ASSERT_EQ(fast, literal) << "page " << i;

        DiscoveryState fastState(log), literalState(log);
        PhaseItem(fastState, fast);
        LiteralRules::PhaseItem(literalState, literal);
        ASSERT_EQ(fast, literal) << "page " << i;
        ASSERT_TRUE(SameDevices(fastState.devices, literalState.devices)) << "page " << i;
        ASSERT_EQ(fastState.grid.gridRowCount(), literalState.grid.gridRowCount()) << "page " << i;
        for (int row = 0; row < fastState.grid.gridRowCount(); ++row)
            ASSERT_EQ(fastState.grid.row(row), literalState.grid.row(row)) << "page " << i << " row " << row;
    }
}

TEST(CleanHtml, StripsLeadingStructuralTagsAndEmptyLines)
{
    std::vector<std::string> lines = {"<TABLE border=1>", "<tr><td>a</td></tr>", "</table>",
                                      "<strong>bold</strong>", "<td>x</td><tr>", "plain"};
    CleanHtml(lines);
    EXPECT_EQ(lines, (std::vector<std::string>{
                         "<td>a</td></tr>", // a first tag matching no word stops the stripping
                         "bold",            // "STRONG" holds "TR": containment, not equality
                         "<td>x</td><tr>", "plain"}));

    // A ">" before the first "<" gives an empty first tag: nothing is stripped.
    lines = {"x>y<tr>", ">", "<", "<html"};
    CleanHtml(lines);
    EXPECT_EQ(lines, (std::vector<std::string>{"x>y<tr>", ">", "<", "<html"}));
}

TEST(PhaseItem, ThreeDeviceRowsGiveThreeRecords)
{
    MemoryLog log;
    DiscoveryState state(log);
    std::vector<std::string> lines = Page(3);
    CleanHtml(lines);
    PhaseItem(state, lines);
    ASSERT_EQ(state.devices.size(), 3u);
    EXPECT_EQ(state.grid.gridRowCount(), 4);
    EXPECT_EQ(state.grid.cell(DeviceGrid::kModelColumn, 1), "M1");
    EXPECT_EQ(state.grid.cell(DeviceGrid::kMacColumn, 3), "00:00:00:00:00:03");
    EXPECT_EQ(std::string(FieldText(state.devices[1].ip)), "10.0.0.2");
    EXPECT_EQ(std::string(FieldText(state.devices[1].trigger_port)), "80");
    for (const DeviceInfo& d : state.devices) {
        EXPECT_EQ(FieldText(d.gateway), "");
        EXPECT_EQ(FieldText(d.dns), "");
        EXPECT_EQ(FieldText(d.dev), "");
        EXPECT_EQ(FieldText(d.note), "");
    }
}

TEST(PhaseItem, ExtraCellsAreIgnoredAndMissingOnesStayEmpty)
{
    MemoryLog log;
    DiscoveryState state(log);
    std::vector<std::string> lines = {Row({"h"}), Row({"a", "b", "c", "d", "e", "f", "g", "h", "i"}),
                                      Row({"x", "y"})};
    CleanHtml(lines);
    PhaseItem(state, lines);
    ASSERT_EQ(state.devices.size(), 2u);
    EXPECT_EQ(FieldText(state.devices[0].mac), "g");
    EXPECT_EQ(FieldText(state.devices[1].proj), "y");
    EXPECT_EQ(FieldText(state.devices[1].name), ""); // never the row before's value
    EXPECT_EQ(state.grid.cell(DeviceGrid::kNameColumn, 2), "");
}

TEST(PhaseItem, ALineThatEmptiesIsReplacedInTheSameRow)
{
    MemoryLog log;
    DiscoveryState state(log);
    // No closing row tag: the line empties after its cells.
    std::vector<std::string> lines = {"<td>Model</td>x", "<td>A</td><td>P</td>", "<td>B</td>"};
    PhaseItem(state, lines);
    ASSERT_EQ(state.devices.size(), 2u);
    EXPECT_EQ(state.grid.gridRowCount(), 2);
    EXPECT_EQ(state.grid.cell(DeviceGrid::kModelColumn, 1), "B");
    EXPECT_EQ(state.grid.cell(DeviceGrid::kProjectColumn, 1), "P"); // grid cell written before
}

TEST(PhaseItem, LongCellsAreCutAndOddMarkupEnds)
{
    MemoryLog log;
    DiscoveryState state(log);
    const std::string longName(300, 'n');
    std::vector<std::string> lines = {"<td>h</td>-", "<td>m</td><td>p</td><td>" + longName + "</td>-",
                                      "</td><td>swapped-", "<td><td></td>-"};
    PhaseItem(state, lines);
    ASSERT_EQ(state.devices.size(), 3u);
    EXPECT_EQ(FieldText(state.devices[0].name), std::string(63, 'n'));
    EXPECT_EQ(state.grid.cell(DeviceGrid::kNameColumn, 1), std::string(63, 'n'));
    EXPECT_EQ(FieldText(state.devices[2].model), "<td>");
}

TEST(PhaseItem, HostilePagesOfAMebibyteEndPromptly)
{
    // Each of these took minutes when emptied lines were erased one by one
    // and every character of a line was scanned again.
    MemoryLog log;
    const std::vector<std::vector<std::string>> pages = {
        std::vector<std::string>(500'000, ""),                         // blank lines
        {std::string(1 << 20, '>')},                                   // one line of ">"
        {"<td>h</td>", std::string(1 << 20, 'x')},                     // a long line without cells
        std::vector<std::string>(100'000, "<td>a</td><td>b</td>"),     // lines holding only cells
        {"<td>h</td>", "</td>" + std::string(1 << 20, '<') + "<td>"}, // a close before every open
        {Repeated("<tr>", 1 << 18)},                                    // one line of row tags
        {"<td>h</td>", Repeated("<td></td>", 116'508)},                 // one line of empty cells
        std::vector<std::string>(524'288, "a"),                         // one-letter lines: a device each
    };
    for (std::vector<std::string> lines : pages) {
        DiscoveryState state(log);
        CleanHtml(lines);
        PhaseItem(state, lines);
        // The datagram road's device cap holds for a page as well.
        EXPECT_LE(state.devices.size(), kRoundDeviceLimit);
        EXPECT_LE(state.grid.gridRowCount(), static_cast<int>(kRoundDeviceLimit) + 1);
    }
    EXPECT_EQ(std::count(log.lines().begin(), log.lines().end(),
                         "Device limit of 65536 reached; further replies ignored\n"), 1);
}

TEST(RelayPageLines, SplitsAndAppliesTheNoItemsRule)
{
    EXPECT_EQ(RelayPageLines("a\r\nb\nc\rd"), (std::vector<std::string>{"a", "b", "c", "d"}));
    EXPECT_EQ(RelayPageLines(std::string_view("a\nb\0c", 5)), (std::vector<std::string>{"a", "b"}));
    EXPECT_TRUE(RelayPageLines("<html>\n<b>No available items</b>\n</html>").empty());
    const auto longer = RelayPageLines("1\n2\n3\n4\nNo available items");
    EXPECT_EQ(longer.size(), 5u); // a longer page is parsed normally
}
