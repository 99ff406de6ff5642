// SPDX-License-Identifier: MIT
// quendrel-cli search with UPnP cameras on a simulated LAN: three datagram
// devices and an AXIS and a Vivotek camera on host 1. The command runs in the
// PC namespace, which the test thread enters first (a child started from it
// inherits it).
#include "cli/search_command.h"
#include "lan_test.h"
#include "wire.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <memory>

using LanHarness::SimProcess;
using LanHarness::RunProgram;
using LanHarness::TestLan;
using namespace std::chrono_literals;

namespace {

constexpr char kDevices[] = R"json([
  {"model":"KV-1","proj":"Orvane","name":"a","ip":"10.77.1.2","trigger_port":"80","netmask":"255.255.255.0",
   "gateway":"10.77.1.254","dns":"10.77.1.253","mac":"00:1A:07:00:00:01","dev":"eth0","note":""},
  {"model":"KV-2","proj":"Orvane","name":"b","ip":"10.77.1.2","trigger_port":"80","netmask":"255.255.255.0",
   "gateway":"10.77.1.254","dns":"10.77.1.253","mac":"00:1A:07:00:00:02","dev":"eth0","note":""},
  {"model":"KV-3","proj":"Mirkla","name":"c","ip":"10.77.1.2","trigger_port":"80","netmask":"255.255.255.0",
   "gateway":"10.77.1.254","dns":"10.77.1.253","mac":"00:1A:07:00:00:03","dev":"eth0","note":""}])json";

class CliUpnpLan : public LanTest {
protected:
    void SetUp() override
    {
        LanTest::SetUp();
        if (IsSkipped())
            return;
        ASSERT_NO_FATAL_FAILURE(BringUp({.hosts = 1}));
        // The command searches every adapter that is up: here the LAN's alone.
        ASSERT_TRUE(TestLan::OnlyPcAdapter());
        ASSERT_TRUE(dir.isValid());
        const std::string devices = dir.filePath(QStringLiteral("devices.json")).toStdString();
        std::ofstream(devices) << kDevices;
        ASSERT_TRUE(StartSim(1, {"--devices", devices}));
        std::string error;
        cameras = SimProcess::Start(QUENDREL_UPNP_SIM_PROGRAM, m_lan->namespaceOf("h1"),
                                    {"--interface", "eth0", "--preset", "axis", "--preset", "vivotek"}, error);
        ASSERT_TRUE(cameras && cameras->waitReady(10s, error)) << error;
    }

    QTemporaryDir dir;
    std::unique_ptr<SimProcess> cameras; // stopped before the LAN goes
};

} // namespace

TEST(CliUpnpOptions, TheNamedAdaptersOnlyOrAllWhenNoneIsNamed)
{
    Cli::SearchOptions options;
    EXPECT_FALSE(Cli::UpnpOptionsFor(options).interfaces.has_value());
    options.interfaces = {"eth1", "eth2"};
    EXPECT_EQ(Cli::UpnpOptionsFor(options).interfaces, (std::vector<std::string>{"eth1", "eth2"}));
}

TEST_F(CliUpnpLan, JsonListsTheDevicesAndTheCameras)
{
    std::string out;
    ASSERT_EQ(RunProgram({QUENDREL_CLI_PROGRAM, "search", "--format", "json", "--quiet"}, out), 0);
    const QJsonArray list = QJsonDocument::fromJson(QByteArray::fromStdString(out)).array();
    ASSERT_EQ(list.size(), 5) << out;
    std::vector<std::string> models;
    for (const auto& entry : list)
        models.push_back(entry.toObject().value("model").toString().toStdString());
    // The list's order: the round's devices, then the cameras.
    std::sort(models.begin(), models.begin() + 3);
    std::sort(models.begin() + 3, models.end());
    EXPECT_EQ(models, (std::vector<std::string>{"KV-1", "KV-2", "KV-3", "Axis 200 Series", "VivoTek 7000 Series"}));
    const QJsonObject axis = list[3].toObject().value("model") == "Axis 200 Series" ? list[3].toObject()
                                                                                     : list[4].toObject();
    EXPECT_EQ(axis.value("mac").toString(), "NULL");
    EXPECT_EQ(axis.value("netmask").toString(), "NULL");
    EXPECT_EQ(axis.value("ip").toString(), "10.77.1.2");
    EXPECT_EQ(axis.value("name").toString(), "AXIS 211 Network Camera");
}

TEST_F(CliUpnpLan, FiltersDecideAsInTheWindow)
{
    std::string out;
    ASSERT_EQ(RunProgram({QUENDREL_CLI_PROGRAM, "search", "--quiet"}, out), 0);
    EXPECT_NE(out.find("5 device(s) found!\n"), std::string::npos) << out;

    ASSERT_EQ(RunProgram({QUENDREL_CLI_PROGRAM, "search", "--project", "upnp", "--quiet"}, out), 0);
    EXPECT_NE(out.find("2 device(s) found!\n"), std::string::npos) << out;
    EXPECT_EQ(out.find("KV-"), std::string::npos) << out;

    // A project filter: no UPnP search at all, and JSON lists what the table shows.
    ASSERT_EQ(RunProgram({QUENDREL_CLI_PROGRAM, "search", "--project", "Mirkla", "--format", "json", "--quiet"}, out),
              0);
    const QJsonArray mirkla = QJsonDocument::fromJson(QByteArray::fromStdString(out)).array();
    ASSERT_EQ(mirkla.size(), 1) << out;
    EXPECT_EQ(mirkla[0].toObject().value("model").toString(), "KV-3");

    // The named adapter for both searches.
    ASSERT_EQ(RunProgram({QUENDREL_CLI_PROGRAM, "search", "--interface", "eth0", "--quiet"}, out), 0);
    EXPECT_NE(out.find("5 device(s) found!\n"), std::string::npos) << out;
}
