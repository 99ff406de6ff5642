// SPDX-License-Identifier: MIT
// The network setup dialog end to end on a namespace LAN: search in the
// window, open the dialog on a simulated device, apply a static address,
// and see the simulator take it and the next search show it.
#include "replies.h"
#include "lan_test.h"
#include "window_support.h"

#include "discovery/device_info.h"
#include "ui/main_form.h"
#include "ui/net_form.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>

#include <filesystem>
#include <fstream>
#include <unistd.h>

using namespace LanHarness;
using namespace std::chrono_literals;

using SetupDialogLan = LanTest;

TEST_F(SetupDialogLan, StaticAddressThroughTheDialogReachesTheDevice)
{
    // The window broadcasts: only ever from inside the PC namespace.
    ASSERT_NO_FATAL_FAILURE(BringUp());
    const auto devices = std::filesystem::temp_directory_path() /
                         ("quendrel-setup-dialog-" + std::to_string(::getpid()) + ".json");
    std::ofstream(devices) << R"([
      {"model":"KV-2100","proj":"Orvane","name":"Gate","ip":"10.1.7.11","trigger_port":"80",
       "netmask":"255.255.255.0","gateway":"10.1.7.1","dns":"10.1.7.2","mac":"00:1a:07:00:00:11","dev":"eth0","note":""},
      {"model":"KV-3320","proj":"Orvane","name":"Yard","ip":"10.1.7.12","trigger_port":"8080",
       "netmask":"255.255.255.0","gateway":"10.1.7.1","dns":"10.1.7.2","mac":"00:1a:07:00:00:12","dev":"eth0","note":""},
      {"model":"KV-1050","proj":"Orvane","name":"Hall","ip":"10.1.7.13","trigger_port":"80",
       "netmask":"255.255.255.0","gateway":"10.1.7.1","dns":"10.1.7.2","mac":"00:1a:07:00:00:13","dev":"eth0","note":""}
    ])";
    SimProcess* sim = StartSim(1, {"--devices", devices.string()});
    ASSERT_TRUE(sim);

    Gui::TMainForm form;
    // A project filter admits no UPnP, so the round closes itself.
    form.findChild<QComboBox*>(QStringLiteral("Proj"))->setCurrentText(QStringLiteral("Orvane"));
    ASSERT_TRUE(SearchToEnd(form));
    ASSERT_EQ(form.state().devices.size(), 3u);
    const Discovery::DeviceInfo device = form.state().devices[1];
    const std::string mac(Discovery::FieldText(device.mac));
    const int row = TestSupport::RowWith(form.state().grid, Discovery::DeviceGrid::kMacColumn, mac);
    ASSERT_GT(row, 0);
    form.StringGrid1SelectCell(Discovery::DeviceGrid::kIpColumn, row);

    Gui::TNetForm::ApplyOutcome outcome = Gui::TNetForm::ApplyOutcome::NotApplied;
    std::vector<QString> notes;
    Gui::DeviceMenuHooks hooks;
    hooks.messageBox = [&](QWidget*, const QString& caption, const QString& text) { notes.push_back(caption + ": " + text); };
    hooks.showModal = [&](QDialog& dialog) {
        auto* setup = qobject_cast<Gui::TNetForm*>(&dialog);
        ASSERT_NE(setup, nullptr);
        outcome = setup->ApplyWith(Discovery::NetworkType::Static,
                                   Gui::TNetForm::AddressTexts{"10.1.7.200", "10.1.7.1", "255.255.255.0", "10.1.7.2"});
    };
    form.setDialogHooks(hooks);
    form.NetworkSetup1Click();

    EXPECT_EQ(outcome, Gui::TNetForm::ApplyOutcome::Sent);
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_EQ(notes[0].toStdString(),
              "Note: Control package sent.\nPlease try to re-search the device after one minute.");
    const std::string expected = "Kestravon,03," + std::string(Discovery::FieldText(device.model)) + "," +
                                 std::string(Discovery::FieldText(device.proj)) + "," +
                                 std::string(Discovery::FieldText(device.name)) + ",10.1.7.200," +
                                 std::string(Discovery::FieldText(device.trigger_port)) +
                                 ",255.255.255.0,10.1.7.1,10.1.7.2," + mac + "," +
                                 std::string(Discovery::FieldText(device.dev)) + ",static";
    EXPECT_TRUE(sim->waitForLine(
        [&](const QJsonObject& line) {
            return line.value("flag").toInt() == 3 && line.value("text").toString().toStdString() == expected;
        },
        3000ms))
        << expected;

    ASSERT_TRUE(SearchToEnd(form));
    const int again = TestSupport::RowWith(form.state().grid, Discovery::DeviceGrid::kMacColumn, mac);
    ASSERT_GT(again, 0);
    EXPECT_EQ(form.state().grid.cell(Discovery::DeviceGrid::kIpColumn, again), "10.1.7.200");
    std::filesystem::remove(devices);
}
