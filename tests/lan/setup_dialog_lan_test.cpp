// SPDX-License-Identifier: MIT
// The window's setup dialogs end to end on a namespace LAN: search in the
// window, open a dialog on simulated devices, apply static addresses, and
// see the simulator take them and the next search show them.
#include "replies.h"
#include "lan_test.h"
#include "window_support.h"

#include "discovery/device_info.h"
#include "discovery/protocol_constants.h"
#include "ui/assign_dialog.h"
#include "ui/main_form.h"
#include "ui/net_form.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>

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

namespace {

// The IP cell's tooltip of the grid row showing `mac`; empty when unmarked.
QString IpCellMark(Gui::TMainForm& form, const std::string& mac)
{
    const int row = TestSupport::RowWith(form.state().grid, Discovery::DeviceGrid::kMacColumn, mac);
    auto* grid = form.findChild<Gui::DeviceGridView*>(QStringLiteral("StringGrid1"));
    if (row <= 0 || grid == nullptr)
        return QStringLiteral("(no row)");
    return grid->model()->index(row - 1, Discovery::DeviceGrid::kIpColumn).data(Qt::ToolTipRole).toString();
}

QStringList Column(QTableWidget* table, int column)
{
    QStringList cells;
    for (int r = 0; r < table->rowCount(); ++r)
        cells << (table->item(r, column) ? table->item(r, column)->text() : QString());
    cells.sort();
    return cells;
}

} // namespace

// Two cameras fresh from the factory answer from one address outside the
// PC's subnet; the window marks both, and the commissioning dialog gives
// them free addresses past a host that holds the first one, sends, and
// sees them answer there after their restart.
TEST_F(SetupDialogLan, TwoFreshCamerasAreCommissionedFromTheWindow)
{
    ASSERT_NO_FATAL_FAILURE(BringUp());
    const auto devices = std::filesystem::temp_directory_path() /
                         ("quendrel-assign-dialog-" + std::to_string(::getpid()) + ".json");
    std::ofstream(devices) << R"([
      {"model":"QV-210","proj":"Orvane","name":"North","ip":"192.168.1.64","trigger_port":"80",
       "netmask":"255.255.255.0","gateway":"192.168.1.1","dns":"192.168.1.1","mac":"02:00:5e:00:00:02","dev":"eth0","note":"static"},
      {"model":"QV-210","proj":"Orvane","name":"South","ip":"192.168.1.64","trigger_port":"80",
       "netmask":"255.255.255.0","gateway":"192.168.1.1","dns":"192.168.1.1","mac":"02:00:5e:00:00:01","dev":"eth0","note":"static"}
    ])";
    SimProcess* sim = StartSim(1, {"--devices", devices.string(), "--restart-silence", "2000"});
    ASSERT_TRUE(sim);

    Gui::TMainForm form;
    form.findChild<QComboBox*>(QStringLiteral("Proj"))->setCurrentText(QStringLiteral("Orvane"));
    ASSERT_TRUE(SearchToEnd(form));
    ASSERT_EQ(form.state().devices.size(), 2u);
    for (const char* mac : {"02:00:5e:00:00:01", "02:00:5e:00:00:02"}) {
        const QString mark = IpCellMark(form, mac);
        EXPECT_TRUE(mark.contains(QStringLiteral("Another device answers from this IP address"))) << mark.toStdString();
        EXPECT_TRUE(mark.contains(QStringLiteral("outside the subnet of the adapter"))) << mark.toStdString();
    }

    // Ctrl+A selects both rows; the menu then offers the commissioning.
    auto* grid = form.findChild<Gui::DeviceGridView*>(QStringLiteral("StringGrid1"));
    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(grid->selectionModel()->selectedRows().size(), 2);
    form.PopupMenu1Popup();
    auto* entry = form.findChild<QAction*>(QStringLiteral("AssignAddresses1"));
    ASSERT_NE(entry, nullptr);
    EXPECT_TRUE(entry->isEnabled());

    Gui::TAssignForm* dialog = nullptr;
    Gui::DeviceMenuHooks hooks;
    hooks.showAssign = [&](QDialog& d) {
        dialog = qobject_cast<Gui::TAssignForm*>(&d);
        d.show();
    };
    form.setDialogHooks(hooks);
    entry->trigger();
    ASSERT_NE(dialog, nullptr);
    bool ended = false;
    QObject::connect(dialog, &Gui::TAssignForm::assignmentEnded, [&] { ended = true; });

    // h2 (10.77.1.3) answers ARP: the plan passes it once the LAN was asked.
    dialog->setRange(QStringLiteral("10.77.1.3"), QStringLiteral("255.255.255.0"), QStringLiteral("10.77.1.1"),
                     QStringLiteral("10.77.1.1"));
    auto* plan = dialog->findChild<QTableWidget*>(QStringLiteral("Plan"));
    auto* apply = dialog->findChild<QPushButton*>(QStringLiteral("Apply"));
    EXPECT_FALSE(apply->isEnabled()) << "Apply before the LAN was asked";
    ASSERT_TRUE(QTest::qWaitFor([&] { return apply->isEnabled(); }, 10000)) << dialog->statusText().toStdString();
    EXPECT_EQ(Column(plan, 3), (QStringList{QStringLiteral("10.77.1.4"), QStringLiteral("10.77.1.5")}));
    auto* skipped = dialog->findChild<QListWidget*>(QStringLiteral("Skipped"));
    ASSERT_GE(skipped->count(), 1);
    EXPECT_EQ(skipped->item(0)->text().toStdString(), "10.77.1.3: in use on the LAN");

    dialog->ApplyClick();
    EXPECT_EQ(Column(plan, 4), (QStringList{QStringLiteral("waiting"), QStringLiteral("waiting")}));
    ASSERT_TRUE(QTest::qWaitFor([&] { return ended; }, 40000)) << dialog->statusText().toStdString();
    const QStringList statuses = Column(plan, 4);
    for (const QString& status : statuses)
        EXPECT_TRUE(status.startsWith(QStringLiteral("confirmed in "))) << status.toStdString();
    EXPECT_EQ(dialog->statusText().toStdString(), "2 of 2 devices answer from their new addresses.");
    EXPECT_EQ(sim->count(ReceivedFlag("udp", Discovery::kControlPackage)), 2u);

    // The main grid searched again and shows them at their new addresses, unmarked.
    auto* button = form.findChild<QPushButton*>(QStringLiteral("Button1"));
    const auto shownIps = [&] {
        QStringList ips;
        for (const Discovery::DeviceInfo& d : form.state().devices)
            ips << QString::fromStdString(std::string(Discovery::FieldText(d.ip)));
        ips.sort();
        return ips;
    };
    const QStringList assigned{QStringLiteral("10.77.1.4"), QStringLiteral("10.77.1.5")};
    EXPECT_TRUE(QTest::qWaitFor([&] { return button->isEnabled() && shownIps() == assigned; }, 30000))
        << shownIps().join(' ').toStdString();
    EXPECT_TRUE(IpCellMark(form, "02:00:5e:00:00:01").isEmpty());
    dialog->close();
    std::filesystem::remove(devices);
}

// A camera that stays silent after taking its package: Stop ends the wait
// at once, the camera is "not seen", and the grid searches again.
TEST_F(SetupDialogLan, StopEndsTheWaitForASilentCamera)
{
    ASSERT_NO_FATAL_FAILURE(BringUp());
    const auto devices = std::filesystem::temp_directory_path() /
                         ("quendrel-assign-stop-" + std::to_string(::getpid()) + ".json");
    std::ofstream(devices) << R"([
      {"model":"QV-210","proj":"Orvane","name":"Mast","ip":"192.168.1.64","trigger_port":"80",
       "netmask":"255.255.255.0","gateway":"192.168.1.1","dns":"192.168.1.1","mac":"02:00:5e:00:00:07","dev":"eth0","note":"static"}
    ])";
    SimProcess* sim = StartSim(1, {"--devices", devices.string(), "--restart-silence", "60000"});
    ASSERT_TRUE(sim);

    Gui::TMainForm form;
    form.findChild<QComboBox*>(QStringLiteral("Proj"))->setCurrentText(QStringLiteral("Orvane"));
    ASSERT_TRUE(SearchToEnd(form));
    auto* grid = form.findChild<Gui::DeviceGridView*>(QStringLiteral("StringGrid1"));
    grid->selectAll();
    Gui::TAssignForm* dialog = nullptr;
    Gui::DeviceMenuHooks hooks;
    hooks.showAssign = [&](QDialog& d) { dialog = qobject_cast<Gui::TAssignForm*>(&d); };
    form.setDialogHooks(hooks);
    form.AssignAddresses1Click();
    ASSERT_NE(dialog, nullptr);
    bool ended = false;
    QObject::connect(dialog, &Gui::TAssignForm::assignmentEnded, [&] { ended = true; });
    dialog->setRange(QStringLiteral("10.77.1.20"), QStringLiteral("255.255.255.0"), QStringLiteral("10.77.1.1"),
                     QStringLiteral("10.77.1.1"));
    dialog->askLanNow();
    auto* apply = dialog->findChild<QPushButton*>(QStringLiteral("Apply"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return apply->isEnabled(); }, 10000)) << dialog->statusText().toStdString();
    dialog->ApplyClick();
    ASSERT_TRUE(sim->waitForLine(EventIs("control"), 5000ms));
    auto* stop = dialog->findChild<QPushButton*>(QStringLiteral("Stop"));
    EXPECT_TRUE(stop->isEnabled());
    // Let one search after sending pass unanswered, then stop.
    QTest::qWait(4000);
    EXPECT_FALSE(ended);
    dialog->StopClick();
    EXPECT_TRUE(ended);
    EXPECT_FALSE(stop->isEnabled());
    auto* plan = dialog->findChild<QTableWidget*>(QStringLiteral("Plan"));
    EXPECT_EQ(plan->item(0, 4)->text().toStdString(), "not seen");
    EXPECT_EQ(dialog->statusText().toStdString(), "0 of 1 devices answer from their new addresses.");
    auto* button = form.findChild<QPushButton*>(QStringLiteral("Button1"));
    // A new round empties the list as it starts.
    EXPECT_TRUE(form.state().devices.empty()) << "the grid did not search again";
    EXPECT_TRUE(QTest::qWaitFor([&] { return button->isEnabled(); }, 30000));
    std::filesystem::remove(devices);
}
