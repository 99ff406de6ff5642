// SPDX-License-Identifier: MIT
#include "upnp/upnp_results.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace Upnp;
using Discovery::DeviceInfo;
using Discovery::DiscoveryState;
using Discovery::FieldText;
using Discovery::MemoryLog;

namespace {

UpnpDeviceInfo Axis(const std::string& description, const std::string& url)
{
    UpnpDeviceInfo d;
    d.manufacturer_name = "AXIS";
    d.description = description;
    d.friendly_name = "AXIS 211 - 00408C123456";
    d.presentation_url = url;
    return d;
}

UpnpDeviceInfo Vivotek(const std::string& friendlyName, const std::string& url)
{
    UpnpDeviceInfo d;
    d.manufacturer_name = "Vivotek";
    d.description = "Vivotek camera";
    d.friendly_name = friendlyName;
    d.presentation_url = url;
    return d;
}

// A grid with `n` broadcast rows, as the round leaves it before the hand-over.
void BroadcastRows(DiscoveryState& state, int n)
{
    state.grid.setGridRowCount(n + 1);
    for (int r = 1; r <= n; ++r)
        state.grid.setCell(Discovery::DeviceGrid::kModelColumn, r, "IPX-" + std::to_string(r));
    state.nextRow = n + 1;
}

std::vector<std::string> Row(const DiscoveryState& state, int row)
{
    const auto& cells = state.grid.row(row);
    return {cells.begin(), cells.end()};
}

} // namespace

TEST(UpnpResults, PreparedRecordCarriesNullInTheSixUnusedFields)
{
    const DeviceInfo record = PreparedUpnpRecord();
    for (const auto* field : {&record.netmask, &record.gateway, &record.dns, &record.dev})
        EXPECT_EQ(FieldText(*field), "NULL");
    EXPECT_EQ(FieldText(record.mac), "NULL");
    EXPECT_EQ(FieldText(record.note), "NULL");
    for (const auto* field : {&record.model, &record.proj})
        EXPECT_EQ(FieldText(*field), "");
    EXPECT_EQ(FieldText(record.name), "");
    EXPECT_EQ(FieldText(record.ip), "");
    EXPECT_EQ(FieldText(record.trigger_port), "");
}

TEST(UpnpResults, FilterDecidesClearKeepOrEnd)
{
    EXPECT_EQ(UpnpFilterAction("UPNP"), FilterAction::ClearRows);
    EXPECT_EQ(UpnpFilterAction("upnp"), FilterAction::ClearRows); // letter case ignored
    EXPECT_EQ(UpnpFilterAction("UpNp"), FilterAction::ClearRows);
    EXPECT_EQ(UpnpFilterAction("ALL"), FilterAction::KeepRows);
    EXPECT_EQ(UpnpFilterAction("all"), FilterAction::KeepRows);
    EXPECT_EQ(UpnpFilterAction("Orvane"), FilterAction::EndEarly); // changed during the wait
    EXPECT_EQ(UpnpFilterAction(""), FilterAction::EndEarly);
    EXPECT_EQ(UpnpFilterAction("UPNP "), FilterAction::EndEarly); // whole-text compare
    EXPECT_EQ(UpnpFilterAction("AL"), FilterAction::EndEarly);
}

TEST(UpnpResults, PresentationUrlHostAndPort)
{
    // No port: the web port 80.
    auto hp = PresentationHostPort("http://192.168.1.20/index.html");
    ASSERT_TRUE(hp);
    EXPECT_EQ(hp->ip, "192.168.1.20");
    EXPECT_EQ(hp->port, "80");
    // A port after the address.
    hp = PresentationHostPort("http://192.168.1.20:8080/");
    ASSERT_TRUE(hp);
    EXPECT_EQ(hp->ip, "192.168.1.20");
    EXPECT_EQ(hp->port, "8080");
    // Only the first ":" splits; only the first "/" after "//" ends the host.
    hp = PresentationHostPort("http://10.0.0.5:81:82/a/b");
    ASSERT_TRUE(hp);
    EXPECT_EQ(hp->ip, "10.0.0.5");
    EXPECT_EQ(hp->port, "81:82");
    // Nothing behind the address: skipped.
    EXPECT_FALSE(PresentationHostPort("http://192.168.1.20"));
    EXPECT_FALSE(PresentationHostPort("http://192.168.1.20:8080"));
    // No "//" at all, or empty.
    EXPECT_FALSE(PresentationHostPort("/index.html"));
    EXPECT_FALSE(PresentationHostPort(""));
    // Credentials never reach the grid: the host is what follows the last "@".
    hp = PresentationHostPort("http://admin:p@ss@10.0.0.6:8080/");
    ASSERT_TRUE(hp);
    EXPECT_EQ(hp->ip, "10.0.0.6");
    EXPECT_EQ(hp->port, "8080");
    // An IPv6 literal or an empty host is no address a row can show.
    EXPECT_FALSE(PresentationHostPort("http://[fe80::1]:80/"));
    EXPECT_FALSE(PresentationHostPort("http:///index.html"));
    EXPECT_FALSE(PresentationHostPort("http://:8080/"));
    EXPECT_FALSE(PresentationHostPort("http://admin:secret@/"));
}

TEST(UpnpResults, DetailDialogNeverShowsCredentials)
{
    EXPECT_EQ(WithoutCredentials("http://admin:p@ss@10.0.0.6:8080/x@y"), "http://10.0.0.6:8080/x@y");
    EXPECT_EQ(WithoutCredentials("http://u:p@10.0.0.6"), "http://10.0.0.6");
    EXPECT_EQ(WithoutCredentials("http://10.0.0.6/a"), "http://10.0.0.6/a");
    EXPECT_EQ(WithoutCredentials("mailto:a@b"), "mailto:a@b");
}

TEST(UpnpResults, MakerMappings)
{
    DeviceInfo working = PreparedUpnpRecord();
    ASSERT_TRUE(MapUpnpDevice(Axis("AXIS 211 Network Camera", "http://10.0.0.7/"), working));
    EXPECT_EQ(FieldText(working.model), "Axis 200 Series");
    EXPECT_EQ(FieldText(working.proj), "Axis 200 Series");
    EXPECT_EQ(FieldText(working.name), "AXIS 211 Network Camera"); // the description
    EXPECT_EQ(FieldText(working.ip), "10.0.0.7");
    EXPECT_EQ(FieldText(working.trigger_port), "80");
    EXPECT_EQ(FieldText(working.mac), "NULL"); // untouched

    // An empty description gives an empty name.
    ASSERT_TRUE(MapUpnpDevice(Axis("", "http://10.0.0.7/"), working));
    EXPECT_EQ(FieldText(working.name), "");

    // A word, a blank and a remark in brackets: the word and the blank.
    ASSERT_TRUE(MapUpnpDevice(Vivotek("Lobby (front door)", "http://10.0.0.8:8081/x"), working));
    EXPECT_EQ(FieldText(working.model), "VivoTek 7000 Series");
    EXPECT_EQ(FieldText(working.proj), "VivoTek 7000 Series");
    EXPECT_EQ(FieldText(working.name), "Lobby ");
    EXPECT_EQ(FieldText(working.ip), "10.0.0.8");
    EXPECT_EQ(FieldText(working.trigger_port), "8081");
    // Before the first "(" only.
    ASSERT_TRUE(MapUpnpDevice(Vivotek("(a)(b)", "http://10.0.0.8/"), working));
    EXPECT_EQ(FieldText(working.name), "");

    // No "(" in a Vivotek name, another maker, or a URL without host: no row.
    EXPECT_FALSE(MapUpnpDevice(Vivotek("Lobby", "http://10.0.0.8/"), working));
    UpnpDeviceInfo other = Axis("x", "http://10.0.0.9/");
    other.manufacturer_name = "Acme";
    EXPECT_FALSE(MapUpnpDevice(other, working));
    EXPECT_FALSE(MapUpnpDevice(Axis("x", "http://10.0.0.9"), working));
}

TEST(UpnpResults, MakerTestIsCaseSensitiveAndAxisComesFirst)
{
    DeviceInfo working = PreparedUpnpRecord();
    UpnpDeviceInfo d = Axis("desc", "http://10.0.0.1/");
    d.manufacturer_name = "Axis Communications";
    EXPECT_FALSE(MapUpnpDevice(d, working));
    d.manufacturer_name = "VIVOTEK INC.";
    EXPECT_FALSE(MapUpnpDevice(d, working));
    d.manufacturer_name = "Made by AXIS AB"; // anywhere in the name
    EXPECT_TRUE(MapUpnpDevice(d, working));
    d.manufacturer_name = "Vivotek and AXIS";
    d.friendly_name = "no bracket";
    ASSERT_TRUE(MapUpnpDevice(d, working)); // AXIS rule, so no "(" is needed
    EXPECT_EQ(FieldText(working.proj), "Axis 200 Series");
}

TEST(UpnpResults, LongTextsAreCutToTheirFields)
{
    DeviceInfo working = PreparedUpnpRecord();
    const std::string longName(200, 'n');
    const std::string longHost = "10.100.100.100.100"; // 18 characters for a 16-byte field
    ASSERT_TRUE(MapUpnpDevice(Axis(longName, "http://" + longHost + ":123456789/"), working));
    EXPECT_EQ(FieldText(working.name), std::string(63, 'n'));
    EXPECT_EQ(FieldText(working.ip), longHost.substr(0, 15));
    EXPECT_EQ(FieldText(working.trigger_port), "1234567");
    EXPECT_EQ(working.name.back(), '\0');

    // The reused record keeps nothing of the longer texts before it.
    ASSERT_TRUE(MapUpnpDevice(Vivotek("Cam (x)", "http://1.2.3.4/"), working));
    EXPECT_EQ(FieldText(working.name), "Cam ");
    EXPECT_EQ(FieldText(working.ip), "1.2.3.4");
    EXPECT_EQ(FieldText(working.trigger_port), "80");
    EXPECT_EQ(working.name[5], '\0');
}

TEST(UpnpResults, UpnpFilterReplacesTheRowsWithUpnpRows)
{
    MemoryLog log;
    DiscoveryState state(log);
    state.projectFilter = "upnp";
    BroadcastRows(state, 2);
    const std::vector<UpnpDeviceInfo> found = {
        Axis("Door", "http://10.0.0.7/index.html"),
        Vivotek("Lobby (remark)", "http://10.0.0.8:8080/"),
        Vivotek("NoBracket", "http://10.0.0.9/"), // skipped
    };
    const ResultsOutcome outcome = ApplyUpnpResults(state, found);
    EXPECT_EQ(outcome.end, ResultsEnd::Done);
    EXPECT_EQ(outcome.shown, 2);
    ASSERT_EQ(state.grid.gridRowCount(), 3);
    EXPECT_EQ(state.grid.fixedRows(), 1);
    EXPECT_EQ(Row(state, 1), (std::vector<std::string>{"Axis 200 Series", "Axis 200 Series", "Door", "10.0.0.7",
                                                       "80", "NULL", "NULL"}));
    EXPECT_EQ(Row(state, 2), (std::vector<std::string>{"VivoTek 7000 Series", "VivoTek 7000 Series", "Lobby ",
                                                       "10.0.0.8", "8080", "NULL", "NULL"}));
    // The device list gets the same two, with "NULL" in all six unused fields.
    ASSERT_EQ(state.devices.size(), 2u);
    EXPECT_EQ(FieldText(state.devices[1].name), "Lobby ");
    EXPECT_EQ(FieldText(state.devices[1].gateway), "NULL");
    EXPECT_EQ(FieldText(state.devices[1].note), "NULL");
}

TEST(UpnpResults, UpnpFilterWithNothingKeptLeavesOneEmptyRow)
{
    MemoryLog log;
    DiscoveryState state(log);
    state.projectFilter = "UPNP";
    BroadcastRows(state, 3);
    const std::vector<UpnpDeviceInfo> found = {Vivotek("NoBracket", "http://10.0.0.9/")};
    const ResultsOutcome outcome = ApplyUpnpResults(state, found);
    EXPECT_EQ(outcome.end, ResultsEnd::Done);
    EXPECT_EQ(outcome.shown, 0); // "0 device(s) found!"
    EXPECT_EQ(state.grid.gridRowCount(), 2);
    EXPECT_EQ(state.grid.fixedRows(), 1);
    EXPECT_EQ(Row(state, 1), std::vector<std::string>(7, ""));
    EXPECT_TRUE(state.devices.empty());
}

TEST(UpnpResults, AllFilterCountsBroadcastAndUpnpRowsTogether)
{
    MemoryLog log;
    DiscoveryState state(log);
    state.projectFilter = "ALL";
    BroadcastRows(state, 3);
    state.devices.resize(3);
    const std::vector<UpnpDeviceInfo> found = {Axis("A", "http://10.0.0.1/"), Axis("B", "http://10.0.0.2/")};
    const ResultsOutcome outcome = ApplyUpnpResults(state, found);
    EXPECT_EQ(outcome.end, ResultsEnd::Done);
    EXPECT_EQ(outcome.shown, 5); // "5 device(s) found!"
    EXPECT_EQ(state.grid.cell(0, 3), "IPX-3"); // broadcast rows kept, UPnP rows after them
    EXPECT_EQ(state.grid.cell(2, 4), "A");
    EXPECT_EQ(state.grid.cell(2, 5), "B");
    EXPECT_EQ(state.devices.size(), 5u);

    // "ALL" with no rows at all closes like "UPNP": one empty row.
    DiscoveryState empty(log);
    empty.projectFilter = "all";
    EXPECT_EQ(ApplyUpnpResults(empty, std::vector<UpnpDeviceInfo>{}).shown, 0);
    EXPECT_EQ(empty.grid.gridRowCount(), 2);
}

TEST(UpnpResults, ChangedFilterEndsEarlyAndTouchesNothing)
{
    MemoryLog log;
    DiscoveryState state(log);
    state.projectFilter = "Orvane";
    BroadcastRows(state, 2);
    state.grid.setFixedRows(0);
    const std::vector<UpnpDeviceInfo> found = {Axis("A", "http://10.0.0.1/")};
    const ResultsOutcome outcome = ApplyUpnpResults(state, found);
    EXPECT_EQ(outcome.end, ResultsEnd::EndedEarly);
    EXPECT_EQ(state.grid.gridRowCount(), 3);
    EXPECT_EQ(state.grid.fixedRows(), 0);
    EXPECT_EQ(state.grid.cell(0, 2), "IPX-2");
    EXPECT_TRUE(state.devices.empty());
}

TEST(UpnpResults, ADeviceFoundBothWaysGivesTwoRows)
{
    MemoryLog log;
    DiscoveryState state(log);
    state.projectFilter = "ALL";
    BroadcastRows(state, 1);
    state.grid.setCell(Discovery::DeviceGrid::kIpColumn, 1, "10.0.0.7");
    const std::vector<UpnpDeviceInfo> found = {Axis("Door", "http://10.0.0.7/")};
    EXPECT_EQ(ApplyUpnpResults(state, found).shown, 2);
    EXPECT_EQ(state.grid.cell(Discovery::DeviceGrid::kIpColumn, 2), "10.0.0.7");
}
