// SPDX-License-Identifier: MIT
// quendrel-cli assign on a namespace LAN: factory-fresh simulated cameras,
// a device and a plain host holding addresses, restarts after the package.
#include "device_file.h"
#include "lan_test.h"
#include "wire.h"

#include "discovery/protocol_constants.h"

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include <csignal>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>

using namespace LanHarness;
using namespace Discovery;
using namespace std::chrono_literals;

namespace {

DeviceInfo Device(const std::string& ip, const std::string& mac, const std::string& proj = "Orvane")
{
    const std::string fields[] = {"QV-210", proj, "cam " + mac.substr(15), ip, "80", "255.255.255.0",
                                  "192.168.1.1", "192.168.1.1", mac, "eth0", "static"};
    DeviceInfo d{};
    for (int f = 0; f < kDeviceFieldCount; ++f)
        CopyToField(FieldAt(d, f), fields[f]);
    return d;
}

// Three cameras as they leave the factory, listed out of MAC order, and a
// device of another project that holds 10.77.1.4.
std::vector<DeviceInfo> FreshCameras()
{
    return {Device("192.168.1.64", "02:00:5e:00:00:03"), Device("192.168.1.64", "02:00:5e:00:00:01"),
            Device("192.168.1.64", "02:00:5e:00:00:02"), Device("10.77.1.4", "02:00:5e:00:00:10", "Mirkla")};
}

std::string PlanFile(const std::vector<std::string>& lines)
{
    static int serial = 0;
    const auto path = std::filesystem::temp_directory_path() /
                      ("quendrel-assign-" + std::to_string(::getpid()) + "-" + std::to_string(++serial) + ".csv");
    std::ofstream file(path);
    file << "mac,ip,netmask,gateway,dns\n";
    for (const std::string& l : lines)
        file << l << '\n';
    return path.string();
}

// quendrel-cli with its standard error after its standard output.
int Cli(const std::vector<std::string>& args, std::string& output)
{
    std::string command = QUENDREL_CLI_PROGRAM;
    for (const std::string& a : args)
        command += " '" + a + "'";
    return RunProgram({"/bin/sh", "-c", command + " 2>&1"}, output);
}

QJsonObject JsonOf(const std::string& output)
{
    // The diagnostic lines of standard error come around the one JSON object.
    const std::size_t start = output.find("{\"devices\"");
    if (start == std::string::npos)
        return {};
    const std::size_t end = output.find("]}\n", start);
    return QJsonDocument::fromJson(QByteArray::fromStdString(output.substr(start, end + 2 - start))).object();
}

// "mac new_ip status" of every device, in the printed order.
std::vector<std::string> Rows(const QJsonObject& report)
{
    std::vector<std::string> rows;
    for (const QJsonValue d : report.value("devices").toArray())
        rows.push_back((d["mac"].toString() + " " + d["new_ip"].toString() + " " + d["status"].toString())
                           .toStdString());
    return rows;
}

std::vector<std::string> Skipped(const QJsonObject& report)
{
    std::vector<std::string> skipped;
    for (const QJsonValue s : report.value("skipped").toArray())
        skipped.push_back((s["ip"].toString() + " " + s["reason"].toString()).toStdString());
    return skipped;
}

// How many control packages the simulator got, once a datagram sent after
// the command has arrived (so none of the command's can still be on its way).
std::size_t PackagesReceived(SimProcess& sim)
{
    EXPECT_TRUE(SendDatagram(TestLan::HostAddress(1), kDevicePort, FramedPacket(kRelayQuery)));
    EXPECT_TRUE(sim.waitForLine(ReceivedFlag("udp", kRelayQuery), 5000ms));
    return sim.count(ReceivedFlag("udp", kControlPackage));
}

const std::vector<std::string> kRange = {"--netmask", "255.255.255.0", "--gateway", "10.77.1.1",
                                         "--dns", "10.77.1.1", "--project", "Orvane", "--format", "json"};

struct AssignCase {
    const char* name;
    std::vector<std::string> args; // after "assign"; "@plan" is replaced by a plan file of `plan`
    std::vector<std::string> plan;
    int exit;
    std::vector<std::string> rows;    // mac new_ip status, when the command prints its report
    std::vector<std::string> skipped; // ip reason
    const char* says = "";            // part of its output, when it refuses
    std::size_t packages = 0;
};

std::vector<std::string> Args(std::vector<std::string> head)
{
    head.insert(head.end(), kRange.begin(), kRange.end());
    return head;
}

const AssignCase kCases[] = {
    // h2 (10.77.1.3) is a plain host; a device holds 10.77.1.4.
    {"ThreeFreshCamerasGetConsecutiveFreeAddressesAndAreConfirmedAfterTheirRestart",
     Args({"--from", "10.77.1.3", "--wait", "30"}),
     {},
     0,
     {"02:00:5e:00:00:01 10.77.1.5 confirmed", "02:00:5e:00:00:02 10.77.1.6 confirmed",
      "02:00:5e:00:00:03 10.77.1.7 confirmed"},
     {"10.77.1.3 in use on the LAN", "10.77.1.4 held by a device"},
     "",
     3},
    {"DryRunPlansTheSameAndSendsNothing",
     Args({"--from", "10.77.1.3", "--dry-run"}),
     {},
     0,
     {"02:00:5e:00:00:01 10.77.1.5 planned", "02:00:5e:00:00:02 10.77.1.6 planned",
      "02:00:5e:00:00:03 10.77.1.7 planned"},
     {"10.77.1.3 in use on the LAN", "10.77.1.4 held by a device"}},
    // .1 is the PC and gateway, .2 and .3 answer ARP, .4 is held: two left for three.
    {"TooFewFreeAddressesSendNothing",
     {"--from", "10.77.1.1", "--netmask", "255.255.255.248", "--gateway", "10.77.1.1", "--dns", "10.77.1.1",
      "--project", "Orvane"},
     {},
     2,
     {},
     {},
     "only 2 free addresses for 3 devices"},
    {"PlanGivingAnAddressHeldByADeviceSendsNothing",
     {"--plan", "@plan"},
     {"02:00:5e:00:00:01,10.77.1.20,255.255.255.0,10.77.1.1,10.77.1.1",
      "02:00:5e:00:00:02,10.77.1.4,255.255.255.0,10.77.1.1,10.77.1.1"},
     2,
     {},
     {},
     "line 3: 10.77.1.4 is taken: held by a device (02:00:5E:00:00:10)"},
    {"PlanGivingAnAddressAHostAnswersForSendsNothing",
     {"--plan", "@plan"},
     {"02:00:5e:00:00:01,10.77.1.3,255.255.255.0,10.77.1.1,10.77.1.1",
      "02:00:5e:00:00:02,10.77.1.21,255.255.255.0,10.77.1.1,10.77.1.1"},
     2,
     {},
     {},
     "line 2: 10.77.1.3 is taken: in use on the LAN"},
    {"PlanGivingTwoDevicesOneAddressSendsNothing",
     {"--plan", "@plan"},
     {"02:00:5e:00:00:01,10.77.1.20,255.255.255.0,10.77.1.1,10.77.1.1",
      "02:00:5e:00:00:02,10.77.1.20,255.255.255.0,10.77.1.1,10.77.1.1"},
     2,
     {},
     {},
     "line 3: the ip 10.77.1.20 is planned twice"},
};

void PrintTo(const AssignCase& c, std::ostream* out) { *out << c.name; }

class AssignLan : public LanTest, public ::testing::WithParamInterface<AssignCase> {};
class AssignLanImpostor : public LanTest {};

// The cameras' markers as `search --format json` gives them: MAC -> warnings.
std::map<std::string, std::string> SearchedMarkers()
{
    std::string output;
    EXPECT_EQ(RunProgram({QUENDREL_CLI_PROGRAM, "search", "--quiet", "--project", "Orvane", "--format", "json"},
                         output),
              0);
    std::map<std::string, std::string> markers;
    for (const QJsonValue d : QJsonDocument::fromJson(QByteArray::fromStdString(output)).array()) {
        QStringList names;
        for (const QJsonValue w : d["warnings"].toArray())
            names << w.toString();
        markers[d["mac"].toString().toStdString()] = names.join(' ').toStdString();
    }
    return markers;
}

} // namespace

TEST_P(AssignLan, HandsOutOnlyFreeAddressesAndSendsOnlyAWholePlan)
{
    const AssignCase& c = GetParam();
    BringUp();
    SimProcess* cameras = StartSim(1, {"--devices", DeviceFile(FreshCameras()), "--restart-silence", "2000"});
    ASSERT_TRUE(cameras);
    std::vector<std::string> args = {"assign"};
    for (const std::string& a : c.args)
        args.push_back(a == "@plan" ? PlanFile(c.plan) : a);

    // Three cameras on one address outside the PC's subnet.
    const std::map<std::string, std::string> fresh = {{"02:00:5e:00:00:01", "ip-conflict other-subnet"},
                                                      {"02:00:5e:00:00:02", "ip-conflict other-subnet"},
                                                      {"02:00:5e:00:00:03", "ip-conflict other-subnet"}};
    EXPECT_EQ(SearchedMarkers(), fresh);

    std::string output;
    EXPECT_EQ(Cli(args, output), c.exit) << output;
    if (c.rows.empty()) {
        EXPECT_NE(output.find(c.says), std::string::npos) << output;
    } else {
        const QJsonObject report = JsonOf(output);
        EXPECT_EQ(Rows(report), c.rows) << output;
        EXPECT_EQ(Skipped(report), c.skipped) << output;
        for (const QJsonValue d : report.value("devices").toArray()) {
            EXPECT_EQ(d["ip"].toString(), "192.168.1.64");
            // Confirmed only by a search after the camera's restart silence.
            if (d["status"] == "confirmed")
                EXPECT_GE(d["seconds"].toInt(), 2);
            else
                EXPECT_TRUE(d["seconds"].isNull());
        }
    }
    EXPECT_EQ(PackagesReceived(*cameras), c.packages);
    // Each on an address of its own in the PC's subnet, once it took it.
    const std::map<std::string, std::string> assigned = {
        {"02:00:5e:00:00:01", ""}, {"02:00:5e:00:00:02", ""}, {"02:00:5e:00:00:03", ""}};
    EXPECT_EQ(SearchedMarkers(), c.packages > 0 ? assigned : fresh);
}

INSTANTIATE_TEST_SUITE_P(Assign, AssignLan, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

// The package reaches the camera, which stays silent; a device with another
// MAC then answers from the planned address. That is no confirmation.
TEST_F(AssignLanImpostor, AnotherMacAnsweringFromThePlannedAddressConfirmsNothing)
{
    BringUp();
    SimProcess* camera = StartSim(1, {"--devices", DeviceFile({Device("192.168.1.64", "02:00:5e:00:00:01")}),
                                      "--restart-silence", "60000"});
    ASSERT_TRUE(camera);
    QProcess cli;
    cli.start(QUENDREL_CLI_PROGRAM, {"assign", "--from", "10.77.1.20", "--netmask", "255.255.255.0", "--gateway",
                                     "10.77.1.1", "--dns", "10.77.1.1", "--wait", "5", "--format", "json", "--quiet"});
    ASSERT_TRUE(cli.waitForStarted());
    ASSERT_TRUE(camera->waitForLine(EventIs("control"), 20000ms));
    SimProcess* impostor = StartSim(2, {"--devices", DeviceFile({Device("10.77.1.20", "02:00:5e:00:00:99")})});
    ASSERT_TRUE(impostor);
    // The command searched while the impostor was there.
    EXPECT_TRUE(impostor->waitForLine(ReceivedFlag("udp", kSearchQuery), 10000ms));
    ASSERT_TRUE(cli.waitForFinished(30000));
    const std::string output = cli.readAllStandardOutput().toStdString();
    EXPECT_EQ(cli.exitCode(), 1) << output;
    EXPECT_EQ(Rows(JsonOf(output)), std::vector<std::string>{"02:00:5e:00:00:01 10.77.1.20 not seen"}) << output;
}

// Ctrl+C before the packages leave ends the command with none sent, never
// with a plan made from half a search; Ctrl+C while the devices restart
// ends the wait and still prints what is known.
TEST_F(AssignLanImpostor, CtrlCBeforeSendingSendsNothingAndWhileWaitingKeepsTheReport)
{
    BringUp();
    SimProcess* camera = StartSim(1, {"--devices", DeviceFile({Device("192.168.1.64", "02:00:5e:00:00:01")}),
                                      "--restart-silence", "60000"});
    ASSERT_TRUE(camera);
    const QStringList args = {"assign", "--from", "10.77.1.20", "--netmask", "255.255.255.0", "--gateway",
                              "10.77.1.1", "--dns", "10.77.1.1", "--wait", "60", "--format", "json", "--quiet"};

    QProcess early;
    early.start(QUENDREL_CLI_PROGRAM, args);
    ASSERT_TRUE(early.waitForStarted());
    ASSERT_TRUE(camera->waitForLine(ReceivedFlag("udp", kSearchQuery), 10000ms));
    ::kill(static_cast<pid_t>(early.processId()), SIGINT);
    ASSERT_TRUE(early.waitForFinished(10000));
    EXPECT_FALSE(early.exitStatus() == QProcess::NormalExit && early.exitCode() != 130);
    EXPECT_EQ(PackagesReceived(*camera), 0u);

    QProcess waiting;
    waiting.start(QUENDREL_CLI_PROGRAM, args);
    ASSERT_TRUE(waiting.waitForStarted());
    ASSERT_TRUE(camera->waitForLine(EventIs("control"), 20000ms));
    ::kill(static_cast<pid_t>(waiting.processId()), SIGINT);
    ASSERT_TRUE(waiting.waitForFinished(5000));
    const std::string output = waiting.readAllStandardOutput().toStdString();
    EXPECT_EQ(waiting.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(waiting.exitCode(), 130) << output;
    EXPECT_EQ(Rows(JsonOf(output)), std::vector<std::string>{"02:00:5e:00:00:01 10.77.1.20 not seen"}) << output;
}
