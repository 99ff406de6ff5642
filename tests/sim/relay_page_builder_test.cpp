// SPDX-License-Identifier: MIT
// The relay page the simulator serves, read back the way the program reads
// it: split into lines, structural tags cleaned away, cells into devices.
#include "sim/device_store.h"
#include "sim/relay_page_builder.h"

#include "discovery/discovery_state.h"
#include "discovery/log_sink.h"
#include "discovery/relay_page.h"

#include "wire.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace Sim;
using Discovery::DeviceInfo;
using Discovery::FieldText;

namespace {

// What the program's HTTP-command road makes of a page.
struct ReadBack {
    Discovery::NullLog log;
    Discovery::DiscoveryState state{log};
};

void Read(const std::string& page, ReadBack& out)
{
    std::vector<std::string> lines = Discovery::RelayPageLines(page);
    Discovery::CleanHtml(lines);
    Discovery::PhaseItem(out.state, lines);
}

// Every field as the page carries it: the seven it lists, the rest empty.
void ExpectSameFields(const DeviceInfo& got, const DeviceInfo& want, std::size_t index)
{
    EXPECT_EQ(LanHarness::FieldDifference(got, LanHarness::AsListed(want)), "") << "device " << index;
}

DeviceInfo Device(std::string_view model, std::string_view proj, std::string_view name, std::string_view ip,
                  std::string_view mac)
{
    DeviceInfo d{};
    const std::string_view fields[] = {model, proj, name, ip, "8080", "255.255.255.0", "10.0.0.1", "10.0.0.2",
                                       mac,   "eth0", "a note the page does not carry"};
    for (int f = 0; f < Discovery::kDeviceFieldCount; ++f)
        Discovery::CopyToField(Discovery::FieldAt(d, f), fields[f]);
    return d;
}

} // namespace

TEST(RelayPageBuilder, PageReadsBackAsExactlyTheDevices)
{
    const std::vector<DeviceInfo> devices = GenerateDevices(40, 7);
    ReadBack back;
    Read(BuildRelayPage(devices), back);
    ASSERT_EQ(back.state.devices.size(), devices.size());
    // Heading plus one grid row per device, in page order.
    EXPECT_EQ(back.state.grid.gridRowCount(), 41);
    for (std::size_t i = 0; i < devices.size(); ++i) {
        ExpectSameFields(back.state.devices[i], devices[i], i);
        EXPECT_EQ(back.state.grid.cell(Discovery::DeviceGrid::kMacColumn, static_cast<int>(i) + 1),
                  FieldText(devices[i].mac));
    }
}

TEST(RelayPageBuilder, FieldsOfFullWidthAndOddTextSurviveTheStructuralTagStrip)
{
    std::vector<DeviceInfo> devices;
    // Every field as wide as it can be: nothing is cut.
    devices.push_back(Device(std::string(31, 'M'), std::string(31, 'P'), std::string(63, 'N'), "255.255.255.254",
                             std::string(23, ':')));
    // Texts holding the tag words the cleaner strips by containment, and an empty project.
    devices.push_back(Device("TR-TABLE", "", "html body title", "10.0.0.9", "00:11:22:33:44:55"));
    // Non-ASCII bytes pass as they are.
    devices.push_back(Device("Kamera", "Tessilmar", "Eingang S\xc3\xbc" "d", "10.0.0.10", "00:11:22:33:44:56"));
    ReadBack back;
    Read(BuildRelayPage(devices), back);
    ASSERT_EQ(back.state.devices.size(), devices.size());
    for (std::size_t i = 0; i < devices.size(); ++i)
        ExpectSameFields(back.state.devices[i], devices[i], i);
}

TEST(RelayPageBuilder, MarkupInATextIsEscapedAndCutOnlyWhereTheFieldIsTooShort)
{
    // Unescaped, "</td>" would end the cell and "<tr>" could be stripped as a tag.
    DeviceInfo hostile = Device("<tr>", "A&B", "x</td><td>y", "10.0.0.1", "00:11:22:33:44:55");
    // A line break inside a text would split the row across two lines.
    Discovery::CopyToField(hostile.model, "two\r\nlines");
    // The escaped name (5 characters for every "&") outgrows its 63 places.
    Discovery::CopyToField(hostile.name, std::string(20, '&'));
    ReadBack back;
    Read(BuildRelayPage(std::vector<DeviceInfo>{hostile, GenerateDevices(1, 0)[0]}), back);
    ASSERT_EQ(back.state.devices.size(), 2u);
    const DeviceInfo& got = back.state.devices[0];
    EXPECT_EQ(FieldText(got.model), "two&#13;&#10;lines");
    EXPECT_EQ(FieldText(got.proj), "A&amp;B");
    // Cut to the field's width less one, the terminator kept.
    std::string escaped;
    for (int i = 0; i < 20; ++i)
        escaped += "&amp;";
    EXPECT_EQ(FieldText(got.name), escaped.substr(0, 63));
    EXPECT_EQ(got.name.back(), '\0');
    EXPECT_EQ(FieldText(got.ip), "10.0.0.1");
    // The next row is untouched by the one before.
    ExpectSameFields(back.state.devices[1], GenerateDevices(1, 0)[0], 1);
}

TEST(RelayPageBuilder, NoDevicesGivesTheShortNoItemsPage)
{
    const std::string page = BuildRelayPage({});
    EXPECT_EQ(page, NoItemsPage());
    EXPECT_NE(page.find("No available items"), std::string::npos);
    EXPECT_LE(std::count(page.begin(), page.end(), '\n'), 4);
    // The program drops such a page before it parses anything.
    EXPECT_TRUE(Discovery::RelayPageLines(page).empty());
}

TEST(RelayPageBuilder, DeviceTypeSelectsByExactProject)
{
    const std::vector<DeviceInfo> devices = GenerateDevices(14, 0); // each preset project twice
    EXPECT_EQ(DevicesOfType(devices, "ALL").size(), 14u);
    const std::vector<DeviceInfo> mirkla = DevicesOfType(devices, "Mirkla");
    ASSERT_EQ(mirkla.size(), 2u);
    for (const DeviceInfo& d : mirkla)
        EXPECT_EQ(FieldText(d.proj), "Mirkla");
    // Letter case counts, as in the program's own filter; "UPNP" and "" name no project here.
    EXPECT_TRUE(DevicesOfType(devices, "mirkla").empty());
    EXPECT_TRUE(DevicesOfType(devices, "all").empty());
    EXPECT_TRUE(DevicesOfType(devices, "UPNP").empty());
    EXPECT_TRUE(DevicesOfType(devices, "").empty());
    std::vector<DeviceInfo> unnamed{Device("M", "", "n", "10.0.0.1", "00:11:22:33:44:55")};
    EXPECT_EQ(DevicesOfType(unnamed, "").size(), 1u);
}

TEST(RelayPageBuilder, FillerRowsAreNumberedDevicesOfAtLeastTheAskedSize)
{
    const std::string rows = FillerRows(10'000);
    EXPECT_GE(rows.size(), 10'000u);
    EXPECT_LT(rows.size(), 10'000u + RelayPageRow(FillerDevice(1)).size() + 8);
    ReadBack back;
    Read(RelayPageHead() + rows + RelayPageTail(), back);
    ASSERT_GT(back.state.devices.size(), 50u);
    for (std::size_t i = 0; i < back.state.devices.size(); ++i)
        ExpectSameFields(back.state.devices[i], FillerDevice(static_cast<int>(i) + 1), i);
    EXPECT_EQ(FieldText(FillerDevice(70000).name), "Filler 070000");
    EXPECT_EQ(FieldText(FillerDevice(70000).ip), "10.1.17.112");
}
