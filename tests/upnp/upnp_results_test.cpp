// SPDX-License-Identifier: MIT
#include "upnp/upnp_results.h"

#include <gtest/gtest.h>

#include <algorithm>

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

UpnpDeviceInfo Maker(UpnpDeviceInfo d, const std::string& manufacturer)
{
    d.manufacturer_name = manufacturer;
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


std::vector<std::string> Row(const DiscoveryState& state, int row)
{
    const auto& cells = state.grid.row(row);
    return {cells.begin(), cells.end()};
}

class UpnpResults : public ::testing::Test {
protected:
    // The round's state under `filter` with `n` broadcast rows, as the round
    // leaves it before the hand-over.
    DiscoveryState& Before(const char* filter, int n)
    {
        m_state.projectFilter = filter;
        m_state.grid.setGridRowCount(n + 1);
        for (int r = 1; r <= n; ++r)
            m_state.grid.setCell(Discovery::DeviceGrid::kModelColumn, r, "IPX-" + std::to_string(r));
        m_state.nextRow = n + 1;
        return m_state;
    }

    MemoryLog m_log;
    DiscoveryState m_state{m_log};
};

} // namespace

TEST_F(UpnpResults, PreparedRecordCarriesNullInTheSixUnusedFields)
{
    const DeviceInfo record = PreparedUpnpRecord();
    for (int f = 0; f < Discovery::kDeviceFieldCount; ++f)
        EXPECT_EQ(FieldText(Discovery::FieldAt(record, f)), f >= Discovery::kNetmask ? "NULL" : "")
            << Discovery::kDeviceFieldNames[static_cast<std::size_t>(f)];
}

TEST_F(UpnpResults, FilterDecidesClearKeepOrEnd)
{
    // Letter case ignored; any other text means the filter changed during the
    // wait, compared as a whole text.
    for (const char* filter : {"UPNP", "upnp", "UpNp"})
        EXPECT_EQ(UpnpFilterAction(filter), FilterAction::ClearRows) << filter;
    for (const char* filter : {"ALL", "all"})
        EXPECT_EQ(UpnpFilterAction(filter), FilterAction::KeepRows) << filter;
    for (const char* filter : {"Orvane", "", "UPNP ", "AL"})
        EXPECT_EQ(UpnpFilterAction(filter), FilterAction::EndEarly) << filter;
}

TEST_F(UpnpResults, PresentationUrlHostAndPort)
{
    const struct {
        const char* url;
        const char* ip; // null: the URL gives no row
        const char* port;
    } cases[] = {
        {"http://192.168.1.20/index.html", "192.168.1.20", "80"}, // no port: the web port 80
        {"http://192.168.1.20:8080/", "192.168.1.20", "8080"},
        {"http://10.0.0.5:81:82/a/b", "10.0.0.5", "81:82"}, // only the first ":" splits, the first "/" ends
        {"http://192.168.1.20", nullptr, nullptr},           // nothing behind the address
        {"http://192.168.1.20:8080", nullptr, nullptr},
        {"/index.html", nullptr, nullptr}, // no "//" at all
        {"", nullptr, nullptr},
        {"http://admin:p@ss@10.0.0.6:8080/", "10.0.0.6", "8080"}, // credentials never reach the grid
        {"http://[fe80::1]:80/", nullptr, nullptr},                // IPv6 literal: no address a row can show
        {"http:///index.html", nullptr, nullptr},                  // empty hosts
        {"http://:8080/", nullptr, nullptr},
        {"http://admin:secret@/", nullptr, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.url);
        const auto hp = PresentationHostPort(c.url);
        ASSERT_EQ(hp.has_value(), c.ip != nullptr);
        if (hp) {
            EXPECT_EQ(hp->ip, c.ip);
            EXPECT_EQ(hp->port, c.port);
        }
    }
}

TEST_F(UpnpResults, DetailDialogNeverShowsCredentials)
{
    EXPECT_EQ(WithoutCredentials("http://admin:p@ss@10.0.0.6:8080/x@y"), "http://10.0.0.6:8080/x@y");
    EXPECT_EQ(WithoutCredentials("http://u:p@10.0.0.6"), "http://10.0.0.6");
    EXPECT_EQ(WithoutCredentials("http://10.0.0.6/a"), "http://10.0.0.6/a");
    EXPECT_EQ(WithoutCredentials("mailto:a@b"), "mailto:a@b");
    EXPECT_EQ(WithoutCredentials("http://10.0.0.6?next=u@other"), "http://10.0.0.6?next=u@other"); // no credential
    EXPECT_EQ(WithoutCredentials("http://u:p@10.0.0.6#a@b"), "http://10.0.0.6#a@b");
}

TEST_F(UpnpResults, MakerMappingsIntoOneReusedRecord)
{
    constexpr char kAxisSeries[] = "Axis 200 Series";
    constexpr char kVivotekSeries[] = "VivoTek 7000 Series";
    struct Case {
        UpnpDeviceInfo device;
        const char* series; // null: no row
        std::string name, ip, port;
    };
    const Case cases[] = {
        {Axis("AXIS 211 Network Camera", "http://10.0.0.7/"), kAxisSeries, "AXIS 211 Network Camera", "10.0.0.7",
         "80"}, // the description is the name
        {Axis("", "http://10.0.0.7/"), kAxisSeries, "", "10.0.0.7", "80"},
        {Vivotek("Lobby (front door)", "http://10.0.0.8:8081/x"), kVivotekSeries, "Lobby ", "10.0.0.8",
         "8081"}, // the word and the blank before the remark
        {Vivotek("(a)(b)", "http://10.0.0.8/"), kVivotekSeries, "", "10.0.0.8", "80"}, // before the first "(" only
        {Vivotek("Lobby", "http://10.0.0.8/"), nullptr, "", "", ""},                  // no "(" in a Vivotek name
        {Maker(Axis("x", "http://10.0.0.9/"), "Acme"), nullptr, "", "", ""},
        {Axis("x", "http://10.0.0.9"), nullptr, "", "", ""}, // a URL without host and path
        {Maker(Axis("d", "http://10.0.0.1/"), "Axis Communications"), nullptr, "", "", ""}, // letter case counts
        {Maker(Axis("d", "http://10.0.0.1/"), "VIVOTEK INC."), nullptr, "", "", ""},
        {Maker(Axis("d", "http://10.0.0.1/"), "Made by AXIS AB"), kAxisSeries, "d", "10.0.0.1", "80"}, // anywhere
        {Maker(Vivotek("no bracket", "http://10.0.0.1/"), "Vivotek and AXIS"), kAxisSeries, "Vivotek camera",
         "10.0.0.1", "80"}, // the AXIS rule comes first, so no "(" is needed
        {Axis(std::string(200, 'n'), "http://10.100.100.100.100:123456789/"), kAxisSeries, std::string(63, 'n'),
         "10.100.100.100.", "1234567"}, // cut to their fields
        {Vivotek("Cam (x)", "http://1.2.3.4/"), kVivotekSeries, "Cam ", "1.2.3.4", "80"}, // nothing of the longer texts left
    };
    DeviceInfo working = PreparedUpnpRecord();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.device.manufacturer_name + " / " + c.device.friendly_name + " / " + c.device.presentation_url);
        ASSERT_EQ(MapUpnpDevice(c.device, working), c.series != nullptr);
        if (!c.series)
            continue;
        EXPECT_EQ(FieldText(working.model), c.series);
        EXPECT_EQ(FieldText(working.proj), c.series);
        EXPECT_EQ(FieldText(working.name), c.name);
        EXPECT_TRUE(std::all_of(working.name.begin() + static_cast<std::ptrdiff_t>(c.name.size()), working.name.end(),
                                [](char ch) { return ch == '\0'; }));
        EXPECT_EQ(FieldText(working.ip), c.ip);
        EXPECT_EQ(FieldText(working.trigger_port), c.port);
        EXPECT_EQ(FieldText(working.mac), "NULL"); // untouched
    }
}

TEST_F(UpnpResults, UpnpFilterReplacesTheRowsWithUpnpRows)
{
    DiscoveryState& state = Before("upnp", 2);
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

TEST_F(UpnpResults, UpnpFilterWithNothingKeptLeavesOneEmptyRow)
{
    DiscoveryState& state = Before("UPNP", 3);
    const std::vector<UpnpDeviceInfo> found = {Vivotek("NoBracket", "http://10.0.0.9/")};
    const ResultsOutcome outcome = ApplyUpnpResults(state, found);
    EXPECT_EQ(outcome.end, ResultsEnd::Done);
    EXPECT_EQ(outcome.shown, 0); // "0 device(s) found!"
    EXPECT_EQ(state.grid.gridRowCount(), 2);
    EXPECT_EQ(state.grid.fixedRows(), 1);
    EXPECT_EQ(Row(state, 1), std::vector<std::string>(7, ""));
    EXPECT_TRUE(state.devices.empty());
}

TEST_F(UpnpResults, AllFilterCountsBroadcastAndUpnpRowsTogether)
{
    DiscoveryState& state = Before("ALL", 3);
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
    DiscoveryState empty(m_log);
    empty.projectFilter = "all";
    EXPECT_EQ(ApplyUpnpResults(empty, std::vector<UpnpDeviceInfo>{}).shown, 0);
    EXPECT_EQ(empty.grid.gridRowCount(), 2);
}

TEST_F(UpnpResults, ChangedFilterEndsEarlyAndTouchesNothing)
{
    DiscoveryState& state = Before("Orvane", 2);
    state.grid.setFixedRows(0);
    const std::vector<UpnpDeviceInfo> found = {Axis("A", "http://10.0.0.1/")};
    const ResultsOutcome outcome = ApplyUpnpResults(state, found);
    EXPECT_EQ(outcome.end, ResultsEnd::EndedEarly);
    EXPECT_EQ(state.grid.gridRowCount(), 3);
    EXPECT_EQ(state.grid.fixedRows(), 0);
    EXPECT_EQ(state.grid.cell(0, 2), "IPX-2");
    EXPECT_TRUE(state.devices.empty());
}

TEST_F(UpnpResults, ADeviceFoundBothWaysGivesTwoRows)
{
    DiscoveryState& state = Before("ALL", 1);
    state.grid.setCell(Discovery::DeviceGrid::kIpColumn, 1, "10.0.0.7");
    const std::vector<UpnpDeviceInfo> found = {Axis("Door", "http://10.0.0.7/")};
    EXPECT_EQ(ApplyUpnpResults(state, found).shown, 2);
    EXPECT_EQ(state.grid.cell(Discovery::DeviceGrid::kIpColumn, 2), "10.0.0.7");
}
