// SPDX-License-Identifier: MIT
// Whole search rounds, the CLI and the control package on a namespace LAN:
// the program's own ports and the real limited broadcast, from the PC.
#include "device_file.h"
#include "lan_test.h"
#include "window_support.h"
#include "wire.h"

#include "discovery/control_package.h"
#include "discovery/packet.h"
#include "discovery/search_round.h"
#include "sim/device_json.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QJsonArray>
#include <QLabel>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include <arpa/inet.h>
#include <net/if.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <signal.h>

#include <filesystem>
#include <fstream>
#include <future>
#include <set>
#include <thread>

using namespace LanHarness;
using namespace Discovery;
using namespace std::chrono_literals;

namespace {

// Devices "M<prefix><i>" of `proj` at 192.168.7.(100 + i), MAC 00:1a:<prefix>:00:00:(10 + i).
std::vector<DeviceInfo> Devices(const std::string& prefix, int count, const std::string& proj = "Orvane")
{
    std::vector<DeviceInfo> devices;
    for (int i = 1; i <= count; ++i) {
        const std::string ip = "192.168.7." + std::to_string(100 + i);
        const std::string fields[] = {"M" + prefix + std::to_string(i), proj, "cam " + ip, ip, "80", "255.255.255.0",
                                      "192.168.7.1", "192.168.7.2", "00:1a:" + prefix + ":00:00:" + std::to_string(10 + i),
                                      "eth0", ""};
        DeviceInfo& d = devices.emplace_back();
        for (int f = 0; f < kDeviceFieldCount; ++f)
            CopyToField(FieldAt(d, f), fields[f]);
    }
    return devices;
}

SearchSettings Relay(const std::string& host, const std::string& transport)
{
    return TestSupport::RelaySettings(host, transport);
}

std::set<std::string> Macs(const DiscoveryState& state)
{
    std::set<std::string> macs;
    for (const DeviceInfo& d : state.devices)
        macs.emplace(FieldText(d.mac));
    return macs;
}

SimProcess::Match ControlText(const std::string& text)
{
    return [text](const QJsonObject& line) {
        return line.value("flag").toInt() == kControlPackage && line.value("text").toString().toStdString() == text;
    };
}

// Reads quendrel-cli watch's lines until one reports `event` for the device
// with `mac`; every line read is added to `lines`.
std::optional<QJsonObject> WaitForWatch(QProcess& watch, std::vector<QJsonObject>& lines, const char* event,
                                        const char* mac)
{
    for (;;) {
        while (watch.canReadLine()) {
            lines.push_back(QJsonDocument::fromJson(watch.readLine()).object());
            if (lines.back().value("event") == event && lines.back().value("device").toObject().value("mac") == mac)
                return lines.back();
        }
        if (!watch.waitForReadyRead(10000))
            return std::nullopt;
    }
}

class RoundLan : public LanTest {
protected:
    MemoryLog m_log;
};

} // namespace

TEST_F(RoundLan, BroadcastRoundListsTheDevicesOfTwoHostsOnce)
{
    BringUp();
    ASSERT_TRUE(StartSim(1, {"--devices", DeviceFile(Devices("a1", 3))}));
    ASSERT_TRUE(StartSim(2, {"--devices", DeviceFile(Devices("b2", 2)), "--pack", "2"}));
    DiscoveryState state(m_log);
    const RoundSeen r = RunRound(state, {});
    EXPECT_EQ(r.end, SearchSession::End::ClosedItself);
    EXPECT_EQ(r.shown, 5);
    // Each device answered both passes' queries and is listed once.
    EXPECT_EQ(state.devices.size(), 5u);
    EXPECT_EQ(Macs(state).size(), 5u);
    // One query per pass through the PC's only adapter.
    EXPECT_EQ(std::count(m_log.lines().begin(), m_log.lines().end(), "Broadcast on eth0 (10.77.1.1)\n"), 2);
    // Descending by model.
    EXPECT_EQ(state.grid.cell(0, 1), "Mb22");
    EXPECT_EQ(state.grid.cell(0, 5), "Ma11");
}

TEST_F(RoundLan, ProjectFilterShowsOnlyItsRowsAndTheCount)
{
    BringUp();
    auto devices = Devices("c1", 2);
    auto mirkla = Devices("d1", 3, "Mirkla");
    devices.insert(devices.end(), mirkla.begin(), mirkla.end());
    ASSERT_TRUE(StartSim(1, {"--devices", DeviceFile(devices)}));
    DiscoveryState state(m_log);
    state.projectFilter = "Mirkla";
    const RoundSeen r = RunRound(state, {});
    EXPECT_EQ(r.shown, 3);
    EXPECT_EQ(state.devices.size(), 5u); // all listed, three shown
}

TEST_F(RoundLan, RelaysOverTcpAndUdp)
{
    BringUp();
    ASSERT_TRUE(StartSim(1, {"--devices", DeviceFile(Devices("e1", 4))}));
    DiscoveryState state(m_log);
    RoundSeen r = RunRound(state, Relay(TestLan::HostAddress(1), "TCP"));
    EXPECT_EQ(r.shown, 4);
    r = RunRound(state, Relay(TestLan::HostAddress(1), "UDP"));
    EXPECT_EQ(r.shown, 4);
}

TEST_F(RoundLan, RelayFailuresEndTheRound)
{
    BringUp();
    DiscoveryState state(m_log);
    // Host 2 runs nothing: the connection is refused.
    RoundSeen r = RunRound(state, Relay(TestLan::HostAddress(2), "TCP"));
    EXPECT_TRUE(m_log.contains("CONNECT ERROR"));
    EXPECT_EQ(r.shown, 0);
    EXPECT_EQ(state.grid.gridRowCount(), 2);

    // A relay that accepts and never answers costs the bound, not forever.
    ASSERT_TRUE(StartSim(1, {"--count", "3", "--hang"}));
    const auto start = std::chrono::steady_clock::now();
    r = RunRound(state, Relay(TestLan::HostAddress(1), "TCP"));
    EXPECT_LT(std::chrono::steady_clock::now() - start, kTcpRelayTotal + 2s);
    EXPECT_TRUE(m_log.contains("Relay sent no data within 3000 ms\n"));
    EXPECT_EQ(r.shown, 0);
}

TEST_F(RoundLan, HeldReplyPortIsLoggedWithTheDevicesPort)
{
    BringUp();
    ASSERT_TRUE(StartSim(1, {"--count", "2"}));
    // Another program holds port 6667 without address reuse.
    SocketHandle holder(::socket(AF_INET, SOCK_DGRAM, 0));
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_port = htons(kReplyPort);
    ASSERT_EQ(::bind(holder.get(), reinterpret_cast<sockaddr*>(&local), sizeof local), 0);
    DiscoveryState state(m_log);
    const RoundSeen r = RunRound(state, {});
    EXPECT_EQ(r.shown, 0);
    EXPECT_TRUE(m_log.contains("bind() error : Address already in use\n"));
    EXPECT_TRUE(m_log.contains("DM_CreateUDPBroadcastSocket(6666) failed!\n"));
    // The CLI says why it heard nothing, even when quiet, and fails.
    std::string err;
    EXPECT_EQ(RunProgram({"/bin/sh", "-c", std::string(QUENDREL_CLI_PROGRAM) +
                                               " search --quiet --project Orvane 2>&1 >/dev/null"},
                         err),
              1);
    EXPECT_EQ(err, "quendrel-cli search: cannot listen for answers on UDP port 6667: Address already in use "
                   "(is another program using it?)\n");
}

TEST_F(RoundLan, AWindowWithoutAnAdapterSaysWhyItFoundNothing)
{
    BringUp();
    ASSERT_TRUE(StartSim(1, {"--count", "2"}));
    ASSERT_TRUE(m_lan->setLink("pc", "eth0", false));
    Gui::TMainForm form;
    form.findChild<QComboBox*>(QStringLiteral("Proj"))->setCurrentText(QStringLiteral("Orvane"));
    ASSERT_TRUE(SearchToEnd(form));
    EXPECT_EQ(form.findChild<QLabel*>(QStringLiteral("Label1"))->text().toStdString(), "0 device(s) found!");
    EXPECT_EQ(form.findChild<QLabel*>(QStringLiteral("LabelHint"))->text().toStdString(),
              "No network adapter is up that can broadcast: connect this PC to the cameras' network.");
}

TEST_F(RoundLan, FloodAndGarbageNeitherHangNorAddJunk)
{
    BringUp();
    ASSERT_TRUE(StartSim(1, {"--devices", DeviceFile(Devices("f1", 2)), "--flood", "--flood-for", "20000"}));
    ASSERT_TRUE(StartSim(2, {"--devices", DeviceFile(Devices("g2", 3)), "--garbage"}));
    DiscoveryState state(m_log);
    NetworkEndpoints endpoints;
    endpoints.passLimit = 1500ms; // the program's 5 s bound, shortened for the test
    const RoundSeen r = RunRound(state, {}, endpoints);
    EXPECT_TRUE(m_log.contains("Reply pass ended after 1500 ms without a quiet period\n"));
    // Every real device is there; the junk adds only what still reads as a
    // well-formed reply (a handful of the simulator's garbage does).
    const std::set<std::string> macs = Macs(state);
    for (const auto& list : {Devices("f1", 2), Devices("g2", 3)})
        for (const DeviceInfo& d : list)
            EXPECT_TRUE(macs.count(std::string(FieldText(d.mac)))) << FieldText(d.mac);
    EXPECT_LE(macs.size(), 10u);
    EXPECT_EQ(r.shown, static_cast<int>(state.devices.size()));
}

TEST_F(RoundLan, CliSaysWhenAFloodOfMadeUpDevicesReachesTheDeviceLimit)
{
    BringUp();
    ASSERT_TRUE(StartSim(1, {"--devices", DeviceFile(Devices("c1", 2))}));
    ASSERT_TRUE(StartSim(2, {"--count", "1", "--flood-distinct", "--pack", "20", "--flood-interval", "0",
                             "--flood-for", "1000"}));
    // Only its standard error comes back; the listed rows go nowhere.
    std::string err;
    ASSERT_EQ(RunProgram({"/bin/sh", "-c", std::string(QUENDREL_CLI_PROGRAM) +
                                               " search --quiet --project Orvane 2>&1 >/dev/null"},
                         err),
              0);
    EXPECT_EQ(err, "quendrel-cli search: device limit of 65536 reached; further replies ignored\n");
}

TEST_F(RoundLan, ControlPackageSetsAStaticAddressSeenByTheNextRound)
{
    BringUp();
    SimProcess* sim = StartSim(1, {"--devices", DeviceFile(Devices("h1", 2))});
    ASSERT_TRUE(sim);
    DiscoveryState state(m_log);
    RunRound(state, {});
    const DeviceInfo* device = FindMac(state.devices, "00:1a:h1:00:00:12");
    ASSERT_NE(device, nullptr);

    SetupEdits edits = EditsFromDevice(*device);
    edits.ip = "192.168.7.50";
    edits.netmask = "255.255.255.0";
    edits.gateway = "192.168.7.1";
    edits.dns = "192.168.7.3";
    DeviceInfo record{};
    ASSERT_EQ(FillControlRecord(edits, NetworkType::Static, record), -1);
    ASSERT_EQ(SendControlPackage(record, {}, m_log, state.arrivalInterface(*device)), 0);
    const std::string text = "Kestravon,03,Mh12,Orvane,cam 192.168.7.102,192.168.7.50,80,255.255.255.0,"
                             "192.168.7.1,192.168.7.3,00:1a:h1:00:00:12,eth0,static";
    EXPECT_TRUE(sim->waitForLine(ControlText(text), 3000ms));

    RunRound(state, {});
    device = FindMac(state.devices, "00:1a:h1:00:00:12");
    ASSERT_NE(device, nullptr);
    EXPECT_EQ(FieldText(device->ip), "192.168.7.50");
    EXPECT_EQ(FieldText(device->dns), "192.168.7.3");
}

TEST_F(RoundLan, CliSearchAndSetup)
{
    BringUp();
    SimProcess* sim = StartSim(1, {"--devices", DeviceFile(Devices("b1", 3))});
    ASSERT_TRUE(sim);
    std::string out;
    ASSERT_EQ(RunProgram({QUENDREL_CLI_PROGRAM, "search", "--format", "json", "--quiet"}, out), 0);
    const QJsonArray list = QJsonDocument::fromJson(QByteArray::fromStdString(out)).array();
    ASSERT_EQ(list.size(), 3) << out;
    // The eleven fields and the warnings: 192.168.7.x lies outside the PC's subnet.
    EXPECT_EQ(list[0].toObject().keys().size(), 12);
    EXPECT_EQ(list[0].toObject().value("warnings").toArray(), QJsonArray({"other-subnet"}));

    ASSERT_EQ(RunProgram({QUENDREL_CLI_PROGRAM, "search", "--quiet"}, out), 0);
    EXPECT_NE(out.find("3 device(s) found!\n"), std::string::npos) << out;

    // The MAC as typed with dashes and in capitals names the same device.
    ASSERT_EQ(RunProgram({QUENDREL_CLI_PROGRAM, "setup", "--mac", "00-1A-B1-00-00-11", "--dhcp", "--quiet"}, out), 0);
    EXPECT_EQ(out, std::string(kControlPackageSent) + "\n");
    EXPECT_TRUE(sim->waitForLine(ControlText("Kestravon,03,Mb11,Orvane,cam 192.168.7.101,192.168.7.101,80,"
                                             "255.255.255.0,192.168.7.1,192.168.7.2,00:1a:b1:00:00:11,eth0,dhcp"),
                                 3000ms));
    ASSERT_EQ(RunProgram({QUENDREL_CLI_PROGRAM, "setup", "--mac", "00:1a:b1:00:00:12", "--static", "--ip",
                          "192.168.7.60", "--netmask", "255.255.255.0", "--gateway", "192.168.7.1", "--dns",
                          "192.168.7.2", "--quiet"},
                         out),
              0);
    // A gateway outside the subnet goes only when forced.
    const std::vector<std::string> outside = {QUENDREL_CLI_PROGRAM, "setup", "--mac=00:1a:b1:00:00:13", "--static",
                                              "--ip=192.168.7.61", "--netmask=255.255.255.0", "--gateway=10.9.9.1",
                                              "--dns=192.168.7.2", "--quiet"};
    EXPECT_EQ(RunProgram(outside, out), 2);
    std::vector<std::string> forced = outside;
    forced.push_back("--force");
    ASSERT_EQ(RunProgram(forced, out), 0);
    ASSERT_EQ(RunProgram({QUENDREL_CLI_PROGRAM, "search", "--format=csv", "--all-fields", "--quiet"}, out), 0);
    EXPECT_NE(out.find("192.168.7.60"), std::string::npos) << out;
    EXPECT_EQ(out.substr(0, out.find('\n')), "Model,Project,Name,IP,Port,Netmask,MAC,Gateway,DNS,DEV,Note,Warnings") << out;
    EXPECT_NE(out.find(",192.168.7.61,80,255.255.255.0,00:1a:b1:00:00:13,10.9.9.1,192.168.7.2,eth0,"),
              std::string::npos)
        << out;
    // A MAC nobody answers with: exit 1.
    EXPECT_EQ(RunProgram({QUENDREL_CLI_PROGRAM, "setup", "--mac", "00:00:00:00:00:99", "--dhcp", "-q"}, out), 1);
}

TEST_F(RoundLan, WatchReportsADevicePluggedInAndTakenAway)
{
    BringUp();
    ASSERT_TRUE(StartSim(1, {"--devices", DeviceFile(Devices("w1", 1))}));
    // Started from this thread, so inside the PC namespace. A project filter
    // leaves the UPnP search out: each round is well inside its second.
    QProcess watch;
    watch.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    watch.start(QUENDREL_CLI_PROGRAM, {"watch", "--every", "1", "--project", "Orvane", "--quiet"});
    std::vector<QJsonObject> lines;
    const std::optional<QJsonObject> first = WaitForWatch(watch, lines, "found", "00:1a:w1:00:00:11");
    ASSERT_TRUE(first);
    EXPECT_EQ(first->value("device").toObject().keys().size(), 12); // the eleven fields and the warnings
    EXPECT_TRUE(first->value("time").toString().endsWith('Z'));

    SimProcess* plugged = StartSim(2, {"--devices", DeviceFile(Devices("w2", 1))});
    ASSERT_TRUE(plugged);
    EXPECT_TRUE(WaitForWatch(watch, lines, "found", "00:1a:w2:00:00:11"));
    plugged->stop();
    EXPECT_TRUE(WaitForWatch(watch, lines, "gone", "00:1a:w2:00:00:11"));

    ::kill(static_cast<pid_t>(watch.processId()), SIGINT);
    ASSERT_TRUE(watch.waitForFinished(10000));
    EXPECT_EQ(watch.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(watch.exitCode(), 0);
    // Whole lines only; the device that stayed was reported once, never gone or changed.
    const QByteArray rest = watch.readAll();
    EXPECT_TRUE(rest.isEmpty() || rest.endsWith('\n')) << rest.toStdString();
    EXPECT_EQ(lines.size() + static_cast<std::size_t>(rest.count('\n')), 3u);
}

TEST_F(RoundLan, TwoAdaptersFindAndSetUpEveryDeviceThroughItsOwn)
{
    BringUp({.hosts = 3, .lans = 2, .hostLan = {{1, 1}, {2, 2}, {3, 2}}});
    // One device answers on both LANs: it is listed once.
    const DeviceInfo shared = Devices("p0", 1)[0];
    auto onFirst = Devices("m1", 2);
    onFirst.push_back(shared);
    auto onThird = Devices("q3", 1);
    onThird.push_back(shared);
    SimProcess* first = StartSim(1, {"--devices", DeviceFile(onFirst)});
    SimProcess* second = StartSim(2, {"--devices", DeviceFile(Devices("n2", 3))});
    ASSERT_TRUE(first && second);
    ASSERT_TRUE(StartSim(3, {"--devices", DeviceFile(onThird)}));

    DiscoveryState state(m_log);
    const RoundSeen r = RunRound(state, {});
    EXPECT_TRUE(m_log.contains("Broadcast on eth0 (10.77.1.1)\n"));
    EXPECT_TRUE(m_log.contains("Broadcast on eth1 (10.77.2.1)\n"));
    // 2 on the first LAN, 3 + 2 on the second, the shared one once.
    EXPECT_EQ(Macs(state).size(), 7u);
    EXPECT_EQ(r.shown, static_cast<int>(state.devices.size()));

    // A device of the second LAN is set up through the second adapter only.
    const DeviceInfo* device = FindMac(state.devices, "00:1a:n2:00:00:11");
    ASSERT_NE(device, nullptr);
    EXPECT_EQ(state.arrivalInterface(*device), if_nametoindex("eth1"));
    DeviceInfo record{};
    ASSERT_EQ(FillControlRecord(EditsFromDevice(*device), NetworkType::Dhcp, record), -1);
    ASSERT_EQ(SendControlPackage(record, {}, m_log, state.arrivalInterface(*device)), 0);
    const std::string text = PlainPacketText(kControlPackage, &record);
    EXPECT_TRUE(second->waitForLine(ControlText(text), 3000ms));
    std::this_thread::sleep_for(300ms);
    EXPECT_EQ(first->count(ControlText(text)), 0u);
}

TEST_F(RoundLan, AnAdapterGoingDownBetweenPassesDoesNotStopTheRound)
{
    BringUp({.hosts = 2, .lans = 2, .hostLan = {{1, 1}, {2, 2}}});
    ASSERT_TRUE(StartSim(1, {"--devices", DeviceFile(Devices("r1", 2))}));
    ASSERT_TRUE(StartSim(2, {"--devices", DeviceFile(Devices("s2", 2)), "--delay", "100"}));
    DiscoveryState state(m_log);
    // The first pass lasts at least 250 ms; the second adapter goes down during it.
    auto down = std::async(std::launch::async, [&] {
        std::this_thread::sleep_for(120ms);
        return TestLan::RunScript({"link", m_lan->name(), "pc", "eth1", "down"});
    });
    const RoundSeen r = RunRound(state, {});
    down.get();
    EXPECT_EQ(r.end, SearchSession::End::ClosedItself);
    EXPECT_GE(r.shown, 2); // the first LAN's devices, whatever the second managed
    EXPECT_EQ(std::count(m_log.lines().begin(), m_log.lines().end(), "Broadcast on eth0 (10.77.1.1)\n"), 2);
}
