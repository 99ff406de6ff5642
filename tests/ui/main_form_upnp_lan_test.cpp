// SPDX-License-Identifier: MIT
// The window's rounds on a simulated LAN: four datagram devices (h3 stands
// for a video server with two channels) and two kept cameras, an AXIS on h1
// and a Vivotek on h2, beside a camera of another maker that the engine drops. The test
// thread steps into the PC namespace before any window exists, so every
// search, the engine's included, sees the LAN's adapter alone.
#include "ui/main_form.h"

#include "replies.h"
#include "lan_harness.h"
#include "ui/form_info.h"
#include "ui/upnp_info_form.h"

#include <QComboBox>
#include <QFile>
#include <QJsonArray>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>

using Discovery::DeviceGrid;
using LanHarness::SimProcess;
using LanHarness::TestLan;
using namespace std::chrono_literals;

namespace {

std::string DeviceJson(int host, const std::string& mac)
{
    return "{\"model\":\"KV-" + std::to_string(host) + "\",\"proj\":\"Orvane\",\"name\":\"cam\",\"ip\":\"" +
           TestLan::HostAddress(host) +
           "\",\"trigger_port\":\"80\",\"netmask\":\"255.255.255.0\",\"gateway\":\"10.77.1.254\","
           "\"dns\":\"10.77.1.253\",\"mac\":\"" + mac + "\",\"dev\":\"eth0\",\"note\":\"lan\"}";
}

// The texts of one TForm1 the detail command showed.
using Shown = std::map<std::string, std::string>;

class MainFormUpnpLan : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        if (!TestLan::IsRoot())
            return;
        s_lan = std::make_unique<TestLan>(LanHarness::LanOptions{.hosts = 3});
        if (!s_lan->up()) {
            s_error = s_lan->error();
            return;
        }
        s_dir = std::make_unique<QTemporaryDir>();
        for (int host = 1; host <= 3; ++host) {
            const QString path = s_dir->filePath(QStringLiteral("h%1.json").arg(host));
            QFile file(path);
            if (!file.open(QIODevice::WriteOnly)) {
                s_error = "cannot write " + path.toStdString();
                return;
            }
            const std::string mac = "00:1A:07:00:00:0" + std::to_string(host);
            const std::string second = host == 3 ? "," + DeviceJson(host, "00:1A:07:00:00:13") : "";
            file.write(("[" + DeviceJson(host, mac) + second + "]").c_str());
            file.close();
            s_sims.push_back(s_lan->startSim(host, {"--devices", path.toStdString()}));
            if (!s_sims.back()) {
                s_error = s_lan->error();
                return;
            }
        }
        if (!StartCameras(1, {"--preset", "axis", "--preset", "other"}) || !StartCameras(2, {"--preset", "vivotek"}))
            return;
        // Never press the button anywhere but inside the simulated LAN.
        if (!s_lan->enterPc() || !TestLan::HoldsPcAddress()) {
            s_error = "not inside the PC namespace; a search would reach the real network: " + s_lan->error();
            return;
        }
        if (!TestLan::OnlyPcAdapter())
            s_error = "the PC namespace does not look like the simulated PC";
    }

    static void TearDownTestSuite()
    {
        s_cameras.clear();
        s_sims.clear();
        s_lan.reset();
        s_dir.reset();
    }

    static bool StartCameras(int host, std::vector<std::string> args)
    {
        args.insert(args.begin(), {"--interface", "eth0"});
        std::string error;
        auto sim = SimProcess::Start(QUENDREL_UPNP_SIM_PROGRAM, s_lan->namespaceOf("h" + std::to_string(host)), args,
                                     error);
        if (!sim || !sim->waitReady(10s, error)) {
            s_error = "cameras on h" + std::to_string(host) + ": " + error;
            return false;
        }
        s_cameras.push_back(std::move(sim));
        return true;
    }

    void SetUp() override
    {
        if (!TestLan::IsRoot())
            GTEST_SKIP() << LanHarness::kNeedRoot;
        ASSERT_TRUE(s_error.empty()) << s_error;
        ASSERT_TRUE(s_lan && s_lan->inPc());
        form = MakeForm();
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        button = form->findChild<QPushButton*>(QStringLiteral("Button1"));
        label = form->findChild<QLabel*>(QStringLiteral("Label1"));
    }

    std::unique_ptr<Gui::TMainForm> MakeForm()
    {
        Upnp::UpnpSearchOptions upnp;
        upnp.interfaces = std::vector<std::string>{"eth0"};
        auto made = std::make_unique<Gui::TMainForm>(upnp);
        made->setMessageBox([this](QWidget*, const QString& caption, const QString& text) {
            boxes.push_back(caption.toStdString() + ": " + text.toStdString());
        });
        return made;
    }

    void SetFilter(const char* text)
    {
        form->findChild<QComboBox*>(QStringLiteral("Proj"))->setEditText(QString::fromLatin1(text));
    }

    // One press, and the end of its round: the button comes back only then.
    bool Round()
    {
        QTest::mouseClick(button, Qt::LeftButton);
        return !button->isEnabled() && QTest::qWaitFor([this] { return button->isEnabled(); }, 30000);
    }

    // The grid's row with `text` in `column`; 0 when there is none.
    int RowWith(int column, const std::string& text) const
    {
        return TestSupport::RowWith(form->state().grid, column, text);
    }

    // "Detail Info." on a row: what each dialog it opened showed.
    std::vector<Shown> DetailOf(int row, std::vector<std::string>* plainDialogs = nullptr)
    {
        std::vector<Shown> shown;
        Gui::DeviceMenuHooks hooks;
        hooks.showModal = [&](QDialog& dialog) {
            if (auto* upnp = qobject_cast<Gui::TForm1*>(&dialog)) {
                Shown texts;
                for (QLineEdit* edit : upnp->findChildren<QLineEdit*>())
                    texts[edit->objectName().toStdString()] = edit->text().toStdString();
                shown.push_back(texts);
            } else if (plainDialogs && qobject_cast<Gui::TFormInfo*>(&dialog)) {
                plainDialogs->push_back(dialog.findChild<QLineEdit*>(QStringLiteral("EditIP"))->text().toStdString());
            }
        };
        form->setDialogHooks(hooks);
        form->StringGrid1SelectCell(0, row);
        form->Info1Click();
        return shown;
    }

    std::string Label() const { return label->text().toStdString(); }

    static inline std::unique_ptr<TestLan> s_lan;
    static inline std::unique_ptr<QTemporaryDir> s_dir;
    static inline std::vector<std::unique_ptr<SimProcess>> s_cameras;
    static inline std::vector<SimProcess*> s_sims; // owned by s_lan
    static inline std::string s_error;

    std::unique_ptr<Gui::TMainForm> form;
    QPushButton* button = nullptr;
    QLabel* label = nullptr;
    std::vector<std::string> boxes;
};

const std::string kCameraHost = TestLan::HostAddress(1);
const std::string kVivotekHost = TestLan::HostAddress(2);

} // namespace

TEST_F(MainFormUpnpLan, DefaultRoundListsTheDevicesAndTheCamerasTogether)
{
    const auto query = LanHarness::ReceivedFlag("udp", 0);
    std::vector<std::size_t> heard;
    for (SimProcess* sim : s_sims)
        heard.push_back(sim->count(query));
    ASSERT_TRUE(Round());
    EXPECT_EQ(Label(), "6 device(s) found!");
    EXPECT_TRUE(button->isEnabled());
    EXPECT_EQ(button->text().toStdString(), "Quendrel");

    const DeviceGrid& grid = form->state().grid;
    ASSERT_EQ(grid.gridRowCount(), 7);
    // The datagram rows first, unsorted, the two channels of h3 once each ...
    std::vector<std::string> models = TestSupport::Column(grid, DeviceGrid::kModelColumn);
    std::sort(models.begin(), models.begin() + 4);
    EXPECT_EQ(std::vector<std::string>(models.begin(), models.begin() + 4),
              (std::vector<std::string>{"KV-1", "KV-2", "KV-3", "KV-3"}));
    // ... then the cameras after them, marked "NULL".
    std::vector<DeviceGrid::Row> cameras{grid.row(5), grid.row(6)};
    std::sort(cameras.begin(), cameras.end());
    const std::string axisPort = cameras[0][DeviceGrid::kPortColumn];
    const std::string vivotekPort = cameras[1][DeviceGrid::kPortColumn];
    EXPECT_EQ(cameras[0], (DeviceGrid::Row{"Axis 200 Series", "Axis 200 Series", "AXIS 211 Network Camera",
                                           kCameraHost, axisPort, "NULL", "NULL"}));
    EXPECT_EQ(cameras[1], (DeviceGrid::Row{"VivoTek 7000 Series", "VivoTek 7000 Series", "Lobby ", kVivotekHost,
                                           vivotekPort, "NULL", "NULL"}));
    EXPECT_NE(axisPort, "");
    EXPECT_EQ(form->state().devices.size(), 6u);

    // The grid's menu offers no network setup for a camera row.
    EXPECT_FALSE(Gui::NetworkSetupEnabled(grid, 5));
    EXPECT_TRUE(Gui::NetworkSetupEnabled(grid, 1));

    // Each host heard the query of both passes by broadcast (its log may lag a little).
    for (std::size_t i = 0; i < s_sims.size(); ++i) {
        for (int wait = 0; wait < 40 && s_sims[i]->count(query) < heard[i] + 2; ++wait)
            QTest::qWait(50);
        EXPECT_EQ(s_sims[i]->count(query), heard[i] + 2) << "h" << i + 1;
    }
}

TEST_F(MainFormUpnpLan, UpnpFilterListsTheCamerasAlone)
{
    SetFilter("UPNP");
    ASSERT_TRUE(Round());
    EXPECT_EQ(Label(), "2 device(s) found!");
    std::vector<std::string> models = TestSupport::Column(form->state().grid, DeviceGrid::kModelColumn);
    std::sort(models.begin(), models.end());
    EXPECT_EQ(models, (std::vector<std::string>{"Axis 200 Series", "VivoTek 7000 Series"}));
    // The datagram devices are still in the list, only not shown.
    EXPECT_EQ(form->state().devices.size(), 6u);
}

TEST_F(MainFormUpnpLan, WindowDestroyedRightAfterASearchStarts)
{
    // At once, during the answers, while descriptions are read, near the end.
    for (const auto pause : {0ms, 100ms, 1100ms, 2000ms}) {
        auto doomed = MakeForm();
        doomed->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(doomed.get()));
        QTest::mouseClick(doomed->findChild<QPushButton*>(QStringLiteral("Button1")), Qt::LeftButton);
        if (pause > 0ms)
            QTest::qWait(static_cast<int>(pause.count()));
        doomed.reset();
        QTest::qWait(20);
    }
    // The cameras still answer the next window, once the answers they still
    // owe the cancelled searches (up to MX = 1 s late) are out of the way.
    QTest::qWait(1500);
    ASSERT_TRUE(Round());
    EXPECT_EQ(Label(), "6 device(s) found!");
}

TEST_F(MainFormUpnpLan, DetailOnACameraRowOpensItsUpnpDialog)
{
    ASSERT_TRUE(Round());
    const int axisRow = RowWith(DeviceGrid::kModelColumn, "Axis 200 Series");
    const int vivotekRow = RowWith(DeviceGrid::kModelColumn, "VivoTek 7000 Series");
    ASSERT_GT(axisRow, 0);
    ASSERT_GT(vivotekRow, 0);

    std::vector<std::string> plain;
    const std::vector<Shown> axis = DetailOf(axisRow, &plain);
    ASSERT_EQ(axis.size(), 1u);
    EXPECT_TRUE(plain.empty());
    EXPECT_EQ(axis[0].at("EditManuName"), "AXIS");
    EXPECT_EQ(axis[0].at("EditDescription"), "AXIS 211 Network Camera");
    EXPECT_EQ(axis[0].at("EditService"), "Yes: One service");
    EXPECT_EQ(axis[0].at("EditParentDev"), "This is a topmost device");
    EXPECT_NE(axis[0].at("EditPresURL").find("//" + kCameraHost + ":"), std::string::npos);

    const std::vector<Shown> vivotek = DetailOf(vivotekRow, &plain);
    ASSERT_EQ(vivotek.size(), 1u);
    EXPECT_EQ(vivotek[0].at("EditFriendName"), "Lobby (IP7137 front door)");
    EXPECT_EQ(vivotek[0].at("EditService"), "Yes: 4services");
    EXPECT_EQ(vivotek[0].at("EditChild"), "Yes: 2 children");

    // A datagram row still opens the detail info dialog.
    EXPECT_TRUE(DetailOf(1, &plain).empty());
    ASSERT_EQ(plain.size(), 1u);
    EXPECT_EQ(plain[0], form->state().grid.cell(DeviceGrid::kIpColumn, 1));
}

TEST_F(MainFormUpnpLan, TwoCamerasOnOneHostOpenOneDialogEach)
{
    // An AXIS and a Vivotek more, both on h3, for this test alone.
    std::string error;
    auto pair = SimProcess::Start(QUENDREL_UPNP_SIM_PROGRAM, s_lan->namespaceOf("h3"),
                                  {"--interface", "eth0", "--preset", "axis", "--preset", "vivotek"}, error);
    ASSERT_TRUE(pair && pair->waitReady(10s, error)) << error;
    ASSERT_TRUE(Round());
    EXPECT_EQ(Label(), "8 device(s) found!");

    const std::string host3 = TestLan::HostAddress(3);
    const DeviceGrid& grid = form->state().grid;
    int row = 0;
    for (int r = 1; r < grid.gridRowCount() && row == 0; ++r)
        if (grid.cell(DeviceGrid::kIpColumn, r) == host3 && grid.cell(DeviceGrid::kMacColumn, r) == "NULL")
            row = r;
    ASSERT_GT(row, 0);
    // Both list records of h3 match the row; each camera is shown once.
    const std::vector<Shown> shown = DetailOf(row);
    ASSERT_EQ(shown.size(), 2u);
    std::vector<std::string> makers{shown[0].at("EditManuName"), shown[1].at("EditManuName")};
    std::sort(makers.begin(), makers.end());
    EXPECT_EQ(makers, (std::vector<std::string>{"AXIS", "Vivotek"}));
    for (const Shown& s : shown)
        EXPECT_NE(s.at("EditPresURL").find("//" + host3 + ":"), std::string::npos);
}
