// SPDX-License-Identifier: MIT
// Rounds that hand their end to the UPnP results routine, without network:
// the devices answer on loopback and the UPnP search has no adapter, so it
// finds nothing and ends once its minimum has passed.
#include "ui/main_form.h"

#include "replies.h"
#include "loopback.h"
#include "offline_upnp.h"
#include "sim_devices.h"

#include <QComboBox>
#include <QCloseEvent>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

using Discovery::DeviceGrid;
using TestSupport::Column;
using TestSupport::SimDevices;
using TestSupport::Reply;
using namespace std::chrono_literals;

namespace {

// Long enough to look at the window while the routine waits.
constexpr auto kSearchTime = 1500ms;

class UpnpRoundTest : public ::testing::Test {
protected:
    void SetUp() override { Build(kSearchTime); }

    void Build(std::chrono::milliseconds searchTime)
    {
        form = std::make_unique<Gui::TMainForm>(TestSupport::OfflineUpnp(searchTime));
        form->setMessageBox([this](QWidget*, const QString& caption, const QString& text) {
            boxes.push_back(caption.toStdString() + ": " + text.toStdString());
        });
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        button = form->findChild<QPushButton*>(QStringLiteral("Button1"));
        label = form->findChild<QLabel*>(QStringLiteral("Label1"));
        proj = form->findChild<QComboBox*>(QStringLiteral("Proj"));
    }

    void Press(std::uint16_t devicePort)
    {
        form->setSearchEndpoints(TestSupport::LoopbackEndpoints(devicePort, replyPort));
        QTest::mouseClick(button, Qt::LeftButton);
    }

    // Until the routine has shown that it waits.
    bool Waiting()
    {
        return QTest::qWaitFor([this] { return button->text() == QLatin1String("Search Upnp..."); }, 5000);
    }

    // Until the round is over: the button comes back only then.
    bool ResultsIn()
    {
        return QTest::qWaitFor([this] { return button->isEnabled(); }, 20000);
    }

    bool TryClose() { return form->close(); }

    std::string Label() const { return label->text().toStdString(); }
    std::string Caption() const { return button->text().toStdString(); }

    std::unique_ptr<Gui::TMainForm> form;
    QPushButton* button = nullptr;
    QLabel* label = nullptr;
    QComboBox* proj = nullptr;
    std::vector<std::string> boxes;
    std::uint16_t replyPort = TestSupport::FreeLoopbackPort();
};

} // namespace

TEST_F(UpnpRoundTest, AllKeepsTheRoundsRowsAndClosesTheRoundAfterTheWait)
{
    SimDevices devices({TestSupport::Device("B", "10.0.0.1", "00:00:00:00:00:01"),
                        TestSupport::Device("a", "10.0.0.2", "00:00:00:00:00:02"),
                        TestSupport::Device("C", "10.0.0.3", "00:00:00:00:00:03")}, replyPort);
    Press(devices.udpPort());
    ASSERT_TRUE(Waiting());

    // The round is not over: no count yet, the button still disabled, and
    // the window refuses to close.
    EXPECT_FALSE(button->isEnabled());
    EXPECT_EQ(Label(), "0 device(s) found!");
    EXPECT_FALSE(TryClose());
    EXPECT_EQ(boxes, (std::vector<std::string>{"Warning: Searching Upnp Devices! Please wait"}));
    EXPECT_TRUE(form->isVisible());

    ASSERT_TRUE(ResultsIn());
    EXPECT_EQ(Label(), "3 device(s) found!");
    EXPECT_TRUE(button->isEnabled());
    EXPECT_EQ(Caption(), "Quendrel");
    // A round that hands over is not sorted: the rows stand as they came.
    EXPECT_EQ(Column(form->state().grid, DeviceGrid::kModelColumn), (std::vector<std::string>{"B", "a", "C"}));

    // Now the window closes, without another warning.
    EXPECT_TRUE(TryClose());
    EXPECT_EQ(boxes.size(), 1u);
}

TEST_F(UpnpRoundTest, UpnpFilterClearsTheRoundsRowsButNotTheList)
{
    // A device whose project is literally "UPNP" passes the round's grid filter.
    SimDevices devices({TestSupport::Device("A", "10.0.0.1", "00:00:00:00:00:01", "80", "UPNP"),
                        TestSupport::Device("B", "10.0.0.2", "00:00:00:00:00:02", "80", "Orvane")}, replyPort);
    proj->setEditText(QStringLiteral("UPNP"));
    Press(devices.udpPort());
    ASSERT_TRUE(Waiting());
    EXPECT_EQ(Column(form->state().grid, DeviceGrid::kModelColumn), (std::vector<std::string>{"A"}));
    ASSERT_TRUE(ResultsIn());

    // Heading and one empty row.
    EXPECT_EQ(form->state().grid.gridRowCount(), 2);
    EXPECT_EQ(form->state().grid.fixedRows(), 1);
    EXPECT_EQ(form->state().grid.cell(DeviceGrid::kModelColumn, 1), "");
    EXPECT_EQ(Label(), "0 device(s) found!");
    EXPECT_EQ(form->state().devices.size(), 2u);
    EXPECT_TRUE(button->isEnabled());
    EXPECT_EQ(Caption(), "Quendrel");
}

TEST_F(UpnpRoundTest, FilterChangedDuringTheWaitEndsTheRoutineWithoutItsRows)
{
    SimDevices devices({TestSupport::Device("A", "10.0.0.1", "00:00:00:00:00:01", "80", "Orvane"),
                        TestSupport::Device("B", "10.0.0.2", "00:00:00:00:00:02", "80", "Mirkla")}, replyPort);
    proj->setEditText(QStringLiteral("Orvane"));
    Press(devices.udpPort());
    ASSERT_TRUE(ResultsIn()); // a project round closes itself
    ASSERT_EQ(Label(), "1 device(s) found!");

    proj->setEditText(QStringLiteral("ALL"));
    Press(devices.udpPort());
    ASSERT_TRUE(Waiting());
    proj->setEditText(QStringLiteral("Mirkla"));
    ASSERT_TRUE(ResultsIn());

    // The label keeps the earlier round's text; the button comes back.
    EXPECT_EQ(Label(), "1 device(s) found!");
    EXPECT_TRUE(button->isEnabled());
    EXPECT_EQ(Caption(), "Quendrel");
    EXPECT_EQ(form->state().grid.gridRowCount(), 3); // the round's two rows, as they were
    EXPECT_TRUE(TryClose());
}

TEST_F(UpnpRoundTest, RelayRoundKeepsTheButtonDisabledUntilTheResultsAreIn)
{
    // A TCP relay where nothing listens: the road ends at once.
    const std::uint16_t closedPort = TestSupport::FreeLoopbackPort();
    form->findChild<QRadioButton*>(QStringLiteral("RadioButton2"))->click();
    form->findChild<QComboBox*>(QStringLiteral("ComboBox1"))->setEditText(QStringLiteral("127.0.0.1"));
    Press(closedPort);
    ASSERT_TRUE(Waiting());
    EXPECT_TRUE(form->log().contains("CONNECT ERROR"));
    EXPECT_FALSE(button->isEnabled());

    // A press that still comes in is refused: no second routine, no second search.
    form->Button1Click();
    EXPECT_TRUE(form->log().contains("Search refused: the last round's UPnP results are still to come\n"));

    ASSERT_TRUE(ResultsIn());
    EXPECT_TRUE(button->isEnabled());
    EXPECT_EQ(Caption(), "Quendrel");
    EXPECT_EQ(Label(), "0 device(s) found!");
    EXPECT_EQ(form->state().grid.gridRowCount(), 2);
}

TEST_F(UpnpRoundTest, RoundsOneAfterAnotherEachGetTheirResults)
{
    SimDevices devices({TestSupport::Device("A", "10.0.0.1", "00:00:00:00:00:01")}, replyPort);
    Build(20ms);
    for (int round = 0; round < 5; ++round) {
        Press(devices.udpPort());
        ASSERT_TRUE(ResultsIn()) << "round " << round;
        // At once again: the engine's last worker may still be leaving.
        EXPECT_EQ(Label(), "1 device(s) found!") << "round " << round;
        EXPECT_EQ(form->state().devices.size(), 1u);
        EXPECT_FALSE(form->log().contains("UPnP search could not be started\n")) << "round " << round;
    }
}

TEST_F(UpnpRoundTest, ResultsReachAWindowInsideAModalDialog)
{
    SimDevices devices({TestSupport::Device("A", "10.0.0.1", "00:00:00:00:00:01")}, replyPort);
    Press(devices.udpPort());

    // A dialog opened during the round: its own event loop runs the routine's steps.
    QDialog dialog(form.get());
    std::string labelInDialog;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (button->isEnabled()) {
            labelInDialog = Label();
            dialog.accept();
        }
    });
    poll.start(10);
    QTimer::singleShot(20000, &dialog, &QDialog::reject); // never hang the test
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
    EXPECT_EQ(labelInDialog, "1 device(s) found!");
    EXPECT_TRUE(button->isEnabled());
}
