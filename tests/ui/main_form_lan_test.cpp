// SPDX-License-Identifier: MIT
// The window's search button on a simulated LAN: the test thread steps into
// the PC namespace, so the round's broadcasts reach only the simulated hosts.
#include "ui/main_form.h"

#include "replies.h"
#include "lan_harness.h"
#include "upnp/network_interfaces.h"

#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <algorithm>

using Discovery::DeviceGrid;
using LanHarness::TestLan;

namespace {

std::string DeviceJson(const std::string& model, const std::string& name, const std::string& ip,
                       const std::string& mac)
{
    return "{\"model\":\"" + model + "\",\"proj\":\"Orvane\",\"name\":\"" + name + "\",\"ip\":\"" + ip +
           "\",\"trigger_port\":\"80\",\"netmask\":\"255.255.255.0\",\"gateway\":\"10.77.1.254\","
           "\"dns\":\"10.77.1.253\",\"mac\":\"" + mac + "\",\"dev\":\"eth0\",\"note\":\"lan\"}";
}

} // namespace

TEST(MainFormOnLan, SearchButtonListsTheSimulatedDevices)
{
    if (!TestLan::IsRoot())
        GTEST_SKIP() << LanHarness::kNeedRoot;
    TestLan lan(LanHarness::LanOptions{.hosts = 3});
    ASSERT_TRUE(lan.up()) << lan.error();

    // Host 3 stands for a video server with two channels.
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::vector<std::string> files{
        "[" + DeviceJson("KV-20", "door", TestLan::HostAddress(1), "00:1A:07:00:00:01") + "]",
        "[" + DeviceJson("KV-10", "lobby", TestLan::HostAddress(2), "00:1A:07:00:00:02") + "]",
        "[" + DeviceJson("VS-40", "ch1", TestLan::HostAddress(3), "00:1A:07:00:00:03") + "," +
            DeviceJson("VS-40", "ch2", TestLan::HostAddress(3), "00:1A:07:00:00:13") + "]"};
    std::vector<LanHarness::SimProcess*> sims;
    for (int host = 1; host <= 3; ++host) {
        const QString path = dir.filePath(QStringLiteral("h%1.json").arg(host));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(files[static_cast<std::size_t>(host - 1)].c_str());
        file.close();
        sims.push_back(lan.startSim(host, {"--devices", path.toStdString()}));
        ASSERT_NE(sims.back(), nullptr) << lan.error();
    }

    ASSERT_TRUE(lan.enterPc());
    // Never press the button anywhere but inside the simulated LAN.
    ASSERT_TRUE(TestLan::HoldsPcAddress()) << "not inside the PC namespace; the search would reach the real network";

    // The filter "ALL" also searches for UPnP devices: on the LAN's adapter only.
    const auto adapters = Upnp::NamedIpv4Interfaces({"eth0"});
    ASSERT_TRUE(adapters.size() == 1 && adapters[0].address == TestLan::PcAddress());
    Upnp::UpnpSearchOptions upnp;
    upnp.interfaces = std::vector<std::string>{"eth0"};

    Gui::TMainForm form(upnp);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    auto* button = form.findChild<QPushButton*>(QStringLiteral("Button1"));
    auto* label = form.findChild<QLabel*>(QStringLiteral("Label1"));
    QTest::mouseClick(button, Qt::LeftButton);
    // The round has handed its end to the UPnP results; they close it.
    EXPECT_TRUE(form.upnpResultsPending());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !form.upnpResultsPending(); }, 30000));
    EXPECT_TRUE(lan.leavePc());

    EXPECT_EQ(label->text().toStdString(), "4 device(s) found!");
    EXPECT_TRUE(button->isEnabled());
    EXPECT_EQ(button->text().toStdString(), "Quendrel");
    // Such a round is not sorted; the two channels of host 3 are listed once each.
    std::vector<std::string> models = TestSupport::Column(form.state().grid, DeviceGrid::kModelColumn);
    std::sort(models.begin(), models.end());
    EXPECT_EQ(models, (std::vector<std::string>{"KV-10", "KV-20", "VS-40", "VS-40"}));
    std::vector<std::string> ips = TestSupport::Column(form.state().grid, DeviceGrid::kIpColumn);
    std::sort(ips.begin(), ips.end());
    EXPECT_EQ(ips, (std::vector<std::string>{TestLan::HostAddress(1), TestLan::HostAddress(2),
                                             TestLan::HostAddress(3), TestLan::HostAddress(3)}));
    EXPECT_EQ(form.state().devices.size(), 4u);

    // Each host heard the query of both passes by broadcast (its log may lag a little).
    for (LanHarness::SimProcess* sim : sims) {
        const auto query = LanHarness::ReceivedFlag("udp", 0);
        for (int wait = 0; wait < 40 && sim->count(query) < 2; ++wait)
            QTest::qWait(50);
        EXPECT_EQ(sim->count(query), 2u);
    }
}
