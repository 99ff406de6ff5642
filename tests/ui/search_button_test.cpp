// SPDX-License-Identifier: MIT
// Presses of the search button against a device answering on loopback: the
// round's datagrams never leave 127.0.0.1.
#include "ui/main_form.h"

#include "replies.h"
#include "loopback.h"
#include "offline_upnp.h"
#include "sim_devices.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

using Discovery::DeviceGrid;
using TestSupport::Column;
using TestSupport::Reply;

namespace {

using TestSupport::BoundPort;
using TestSupport::SimDevices;
using TestSupport::LoopbackUdp;

class SearchButtonTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        replyPort = TestSupport::FreeLoopbackPort();
        // A project of the devices: the round closes itself (an "ALL" round
        // hands its end to the UPnP results, see upnp_round_test.cpp).
        form.findChild<QComboBox*>(QStringLiteral("Proj"))->setEditText(QStringLiteral("Orvane"));
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
        button = form.findChild<QPushButton*>(QStringLiteral("Button1"));
        label = form.findChild<QLabel*>(QStringLiteral("Label1"));
    }

    void PressAgainst(std::uint16_t devicePort)
    {
        form.setSearchEndpoints(TestSupport::LoopbackEndpoints(devicePort, replyPort));
        QTest::mouseClick(button, Qt::LeftButton);
    }

    bool RoundOver()
    {
        return QTest::qWaitFor([this] { return button->isEnabled(); }, 10000);
    }

    Gui::TMainForm form{TestSupport::OfflineUpnp()};
    QPushButton* button = nullptr;
    QLabel* label = nullptr;
    std::uint16_t replyPort = 0;
};

} // namespace

TEST_F(SearchButtonTest, RoundFillsGridSortedAndCountsDevices)
{
    SimDevices devices({TestSupport::Device("B", "10.0.0.1", "00:00:00:00:00:01"),
                        TestSupport::Device("a", "10.0.0.2", "00:00:00:00:00:02"),
                        TestSupport::Device("C", "10.0.0.3", "00:00:00:00:00:03")}, replyPort);
    PressAgainst(devices.udpPort());
    // The press returns at once; the window shows the round while it runs.
    EXPECT_FALSE(button->isEnabled());
    EXPECT_EQ(button->text().toStdString(), "Searching...");
    // A camera that answers is in the grid before the round is over, and
    // the window follows a resize meanwhile.
    auto* grid = form.findChild<QAbstractItemView*>(QStringLiteral("StringGrid1"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return grid->model()->rowCount() == 3; }, 5000));
    EXPECT_FALSE(button->isEnabled());
    const int width = grid->width();
    form.resize(form.width() + 100, form.height());
    EXPECT_EQ(grid->width(), width + 100);
    form.resize(form.width() - 100, form.height());
    ASSERT_TRUE(RoundOver());

    // Two passes, each answered; the repeats are dropped.
    EXPECT_EQ(devices.queries(), (std::vector<std::string>(2, "Kestravon,00,????")));
    ASSERT_EQ(form.state().devices.size(), 3u);
    EXPECT_EQ(Column(form.state().grid, 0), (std::vector<std::string>{"C", "B", "a"}));
    EXPECT_EQ(label->text().toStdString(), "3 device(s) found!");
    EXPECT_TRUE(button->isEnabled());
    EXPECT_EQ(button->text().toStdString(), "Quendrel");
    // The first row is selected (a click's log line is not written for it).
    EXPECT_EQ(form.findChild<QAbstractItemView*>(QStringLiteral("StringGrid1"))->currentIndex().row(), 0);
    // So the next header click sorts ascending (MainFormTest.HeaderClickInvertsTheSortDirection).
    EXPECT_FALSE(form.state().sortAscending);
}

TEST_F(SearchButtonTest, RoundThatFindsNothingEmptiesTheList)
{
    {
        SimDevices devices({TestSupport::Device("A", "10.0.0.1", "00:00:00:00:00:01")}, replyPort);
        PressAgainst(devices.udpPort());
        ASSERT_TRUE(RoundOver());
        ASSERT_EQ(form.state().devices.size(), 1u);
        EXPECT_EQ(label->text().toStdString(), "1 device(s) found!");
    }
    // Nobody answers now.
    const Discovery::SocketHandle silent = LoopbackUdp();
    form.StringGrid1SelectCell(0, 1);
    PressAgainst(BoundPort(silent.get()));
    ASSERT_TRUE(RoundOver());
    EXPECT_TRUE(form.state().devices.empty());
    EXPECT_EQ(form.state().grid.gridRowCount(), 2); // one blank data row
    EXPECT_EQ(form.state().grid.cell(DeviceGrid::kIpColumn, 1), "");
    EXPECT_EQ(label->text().toStdString(), "0 device(s) found!");
    EXPECT_TRUE(button->isEnabled());
    EXPECT_EQ(button->text().toStdString(), "Quendrel");
}
