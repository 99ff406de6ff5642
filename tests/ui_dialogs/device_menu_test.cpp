// SPDX-License-Identifier: MIT
#include "ui/device_menu.h"
#include "ui/form_info.h"
#include "ui/labeled_edit.h"
#include "ui/net_form.h"

#include "dialog_test_support.h"
#include "replies.h"
#include "sim_devices.h"

#include <QLineEdit>

#include <gtest/gtest.h>

#include <net/if.h>

#include <memory>

using Discovery::DeviceGrid;
using Discovery::DeviceInfo;
using TestSupport::Feed;
using TestSupport::Reply;
using Gui::DeviceMenuHooks;
using Gui::TFormInfo;
using Gui::TNetForm;

namespace {

class DeviceMenuTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        hooks.endpoints = device.endpoints();
        hooks.messageBox = boxes.hook();
        // Every dialog is looked at instead of waited on.
        hooks.showModal = [this](QDialog& dialog) {
            EXPECT_EQ(dialog.parentWidget(), &mainWindow);
            if (auto* net = qobject_cast<TNetForm*>(&dialog)) {
                netForms.push_back(net->findChild<Gui::LabeledEdit*>(QStringLiteral("LabeledEditName"))->text());
                vias.push_back(net->viaInterface());
                if (drive)
                    drive(*net);
            }
            if (auto* info = qobject_cast<TFormInfo*>(&dialog))
                infoForms.push_back(info->findChild<QLineEdit*>(QStringLiteral("EditName"))->text());
        };
        hooks.openUpnpDetail = [this](const DeviceInfo& d) { upnpOpened.emplace_back(Discovery::FieldText(d.ip)); };
    }

    // Row `row` of the grid as it stands after the replies were fed.
    int RowOf(const std::string& ip) const { return TestSupport::RowWith(state.grid, DeviceGrid::kIpColumn, ip); }

    void OpenSetup(int row) { Gui::NetworkSetup(&mainWindow, state, row, settings, log, hooks); }
    void Info(int row) { Gui::DetailInfo(&mainWindow, state, row, log, hooks); }

    QWidget mainWindow;
    Discovery::MemoryLog log;
    Discovery::DiscoveryState state{log};
    Discovery::SearchSettings settings;
    DialogTest::Boxes boxes;
    TestSupport::SimDevices device{{}, TestSupport::FreeLoopbackPort()};
    DeviceMenuHooks hooks;
    std::function<void(TNetForm&)> drive;
    std::vector<QString> netForms;
    std::vector<QString> infoForms;
    std::vector<unsigned> vias;
    std::vector<std::string> upnpOpened;
};

// A device record of the UPnP search, as its results put it in the list.
DeviceInfo UpnpRecord(const std::string& ip)
{
    DeviceInfo d{};
    Discovery::CopyToField(d.model, "AXIS M1054");
    Discovery::CopyToField(d.ip, ip);
    Discovery::CopyToField(d.netmask, "NULL");
    Discovery::CopyToField(d.mac, "NULL");
    return d;
}

void AddUpnpRow(Discovery::DiscoveryState& state, const DeviceInfo& record)
{
    state.devices.push_back(record);
    const int row = state.nextRow++;
    state.grid.setGridRowCount(std::max(state.grid.gridRowCount(), row + 1));
    Discovery::FillGridRow(state.grid, row, record);
}

TEST(NetworkSetupEnabled, OffForRowsWhoseNetmaskHoldsNull)
{
    // "NULL" contained anywhere turns it off; the test is exact in letter case.
    const std::pair<const char*, bool> netmasks[] = {
        {"255.255.255.0", true}, {"NULL", false}, {"xNULLx", false}, {"null", true}};
    Discovery::DeviceGrid grid;
    grid.setGridRowCount(2);
    for (const auto& [netmask, enabled] : netmasks) {
        grid.setCell(DeviceGrid::kNetmaskColumn, 1, netmask);
        EXPECT_EQ(Gui::NetworkSetupEnabled(grid, 1), enabled) << netmask;
    }
}

TEST_F(DeviceMenuTest, EachMatchingRecordGetsItsOwnFilledDialog)
{
    Feed(state, {Reply("IPX", "10.0.0.7", "00:00:00:00:00:07"), Reply("IPY", "10.0.0.8", "00:00:00:00:00:08")});
    // The same device twice in the list (the relay road can add it so).
    DeviceInfo twin = state.devices[0];
    Discovery::CopyToField(twin.name, "Twin");
    state.devices.push_back(twin);

    OpenSetup(RowOf("10.0.0.7"));
    Info(RowOf("10.0.0.7"));
    const std::vector<QString> both{QStringLiteral("Hall"), QStringLiteral("Twin")};
    EXPECT_EQ(netForms, both);
    EXPECT_EQ(infoForms, both);
    // The row's IP goes to the log before each dialog.
    EXPECT_EQ(std::count(log.lines().begin(), log.lines().end(), std::string("10.0.0.7\n")), 4);
    EXPECT_TRUE(device.silent());
}

TEST_F(DeviceMenuTest, ARowAtOrPastTheEndOrWithoutARecordOpensNothing)
{
    Feed(state, {Reply("IPX", "10.0.0.7", "00:00:00:00:00:07")});
    const int rows = state.grid.gridRowCount();
    for (const int row : {rows, rows + 1, 0, -1}) {
        OpenSetup(row);
        Info(row);
    }
    // A row whose cell no longer equals any record (letter case counts).
    state.grid.setCell(DeviceGrid::kMacColumn, 1, "00:00:00:00:00:0A");
    state.devices[0].mac.fill('\0');
    Discovery::CopyToField(state.devices[0].mac, "00:00:00:00:00:0a");
    OpenSetup(1);
    Info(1);
    EXPECT_TRUE(netForms.empty());
    EXPECT_TRUE(infoForms.empty());
    EXPECT_TRUE(log.lines().empty());
}

TEST_F(DeviceMenuTest, RowsOfTheUpnpSearchGetNoSetupAndTheUpnpDetail)
{
    Feed(state, {Reply("IPX", "10.0.0.7", "00:00:00:00:00:07")});
    AddUpnpRow(state, UpnpRecord("10.0.0.9"));
    state.devices.push_back(UpnpRecord("10.0.0.9"));
    const int row = RowOf("10.0.0.9");
    ASSERT_GT(row, 0);
    EXPECT_FALSE(Gui::NetworkSetupEnabled(state.grid, row));
    EXPECT_TRUE(Gui::NetworkSetupEnabled(state.grid, RowOf("10.0.0.7")));

    OpenSetup(row);
    EXPECT_TRUE(netForms.empty());
    Info(row);
    EXPECT_TRUE(infoForms.empty());
    EXPECT_EQ(upnpOpened, (std::vector<std::string>{"10.0.0.9", "10.0.0.9"}));
    EXPECT_TRUE(log.lines().empty()); // this path writes nothing to the log

    // An empty address would be "contained" in every record's presentation URL.
    upnpOpened.clear();
    AddUpnpRow(state, UpnpRecord(""));
    state.devices.push_back(UpnpRecord(""));
    ASSERT_GT(RowOf(""), 0);
    Info(RowOf(""));
    EXPECT_TRUE(upnpOpened.empty());

    // Until the UPnP detail exists, nothing opens at all.
    hooks.openUpnpDetail = nullptr;
    Info(row);
    EXPECT_TRUE(infoForms.empty());
}

TEST_F(DeviceMenuTest, TheSetupDialogSendsThroughTheAdapterTheReplyCameIn)
{
    const unsigned lo = if_nametoindex("lo");
    ASSERT_NE(lo, 0u);
    Feed(state, {Reply("IPX", "10.0.0.7", "00:00:00:00:00:07")}, lo);
    drive = [](TNetForm& form) {
        form.ApplyWith(Discovery::NetworkType::Static,
                       TNetForm::AddressTexts{QStringLiteral("10.0.0.70"), QStringLiteral("10.0.0.1"),
                                              QStringLiteral("255.255.255.0"), QStringLiteral("10.0.0.2")});
    };
    OpenSetup(1);
    EXPECT_EQ(vias, (std::vector<unsigned>{lo}));
    EXPECT_EQ(device.takeQuery(), "Kestravon,03,IPX,Orvane,Hall,10.0.0.70,80,255.255.255.0,10.0.0.1,10.0.0.2,"
                                     "00:00:00:00:00:07,eth0,static");
    ASSERT_EQ(boxes.count(), 1u);
    EXPECT_EQ(boxes.last().caption, QStringLiteral("Note"));
    // The dialog changes nothing in the list or the grid.
    EXPECT_EQ(Discovery::FieldText(state.devices[0].ip), "10.0.0.7");
    EXPECT_EQ(state.grid.cell(DeviceGrid::kIpColumn, 1), "10.0.0.7");
}

TEST_F(DeviceMenuTest, ADeviceListGrowingWhileADialogIsOpenIsSafe)
{
    Feed(state, {Reply("IPX", "10.0.0.7", "00:00:00:00:00:07")});
    DeviceInfo twin = state.devices[0];
    state.devices.push_back(twin);
    // UPnP results arriving during the modal showing append to the list.
    hooks.showModal = [this](QDialog&) {
        for (int i = 0; i < 100; ++i)
            state.devices.push_back(UpnpRecord("10.0.1." + std::to_string(i)));
        netForms.push_back({});
    };
    OpenSetup(1);
    EXPECT_EQ(netForms.size(), 2u); // the records that matched when the entry was chosen
}

} // namespace
