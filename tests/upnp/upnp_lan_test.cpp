// SPDX-License-Identifier: MIT
// The engine against simulated cameras in a LAN of network namespaces. The
// test thread steps into the PC's namespace before any engine starts, so the
// worker (which inherits it) only ever sees the LAN's adapter.
#include "lan_test.h"
#include "wire.h"
#include "discovery/network_interfaces.h"
#include "upnp/port_forward_engine.h"
#include "upnp/upnp_results.h"

#include <QJsonArray>
#include <QObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <future>
#include <map>
#include <memory>
#include <thread>

using namespace Upnp;
using namespace std::chrono_literals;
using LanHarness::SimProcess;
using LanHarness::TestLan;

namespace {

// Second host: a camera served on port 80, one whose presentation URL ends
// after the port, and a sparse Vivotek without a bracket in its name.
constexpr char kSecondHostCameras[] = R"json({"cameras":[
  {"preset":"axis-port80","udn":"uuid:lan-axis-80","modelDescription":"Gate camera"},
  {"preset":"axis","udn":"uuid:lan-axis-nopath","presentationUrl":"http://{host}:{port}",
   "modelDescription":"No path"},
  {"preset":"vivotek","udn":"uuid:lan-vivotek-plain","friendlyName":"Plain name","services":0,
   "embeddedDevices":1,"icon":false,"upc":null,"modelNumber":null}]})json";

struct Announced {
    std::string presentationUrl;
    int port = 0;
};

// The HTTP status line and body of GET `path` from a host of the LAN.
std::string HttpGet(const std::string& ip, int port, const std::string& path)
{
    return LanHarness::TcpExchange(ip, static_cast<std::uint16_t>(port),
                                   "GET " + path + " HTTP/1.0\r\nHost: " + ip + "\r\n\r\n", 3s)
        .bytes;
}

// A search on the LAN's adapter alone.
UpnpSearchOptions OnLan(Milliseconds maximum = UpnpSearchOptions{}.maximum)
{
    UpnpSearchOptions options;
    options.interfaces = std::vector<std::string>{"eth0"};
    options.maximum = maximum;
    return options;
}

// Starts a search and waits for its end; false when either fails.
bool SearchEnds(UpnpSearchEngine& engine)
{
    QObject window;
    return engine.StartSearch(&window) && engine.doneEvent()->waitFor(20s);
}

// Simulated cameras on the hosts of a LAN of their own, the test thread in
// the PC namespace, where the one adapter any engine may use is eth0.
class CameraLan : public ::testing::Test {
protected:
    static bool BringUp(int hosts)
    {
        s_lan = std::make_unique<TestLan>(LanHarness::LanOptions{.hosts = hosts});
        s_dir = std::make_unique<QTemporaryDir>();
        if (!s_lan->up()) {
            s_error = s_lan->error();
            return false;
        }
        return true;
    }

    // A camera configuration file of the suite.
    static std::string ConfigFile(const char* name, const char* json)
    {
        const std::string path = s_dir->filePath(QString::fromLatin1(name)).toStdString();
        std::ofstream(path) << json;
        return path;
    }

    static void EnterPc()
    {
        if (!s_lan->enterPc()) {
            s_error = s_lan->error();
            return;
        }
        if (!TestLan::OnlyPcAdapter())
            s_error = "the PC namespace does not look like the simulated PC";
    }

    static void TearDownTestSuite()
    {
        s_sims.clear();
        s_lan.reset();
        s_dir.reset();
        s_announced.clear();
        s_error.clear();
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
        for (const auto& entry : sim->ready().value(QStringLiteral("cameras")).toArray()) {
            const QJsonObject camera = entry.toObject();
            s_announced[camera.value(QStringLiteral("udn")).toString().toStdString()] = {
                camera.value(QStringLiteral("presentationUrl")).toString().toStdString(),
                camera.value(QStringLiteral("port")).toInt()};
        }
        s_sims.push_back(std::move(sim));
        return true;
    }

    void SetUp() override
    {
        if (!TestLan::IsRoot())
            GTEST_SKIP() << LanHarness::kNeedRoot;
        ASSERT_TRUE(s_error.empty()) << s_error;
        ASSERT_TRUE(s_lan && s_lan->inPc());
    }

    static const Announced& Camera(const std::string& udn) { return s_announced[udn]; }

    static inline std::unique_ptr<TestLan> s_lan;
    static inline std::unique_ptr<QTemporaryDir> s_dir;
    static inline std::vector<std::unique_ptr<SimProcess>> s_sims;
    static inline std::map<std::string, Announced> s_announced;
    static inline std::string s_error;
};

class UpnpLan : public CameraLan {
protected:
    static void SetUpTestSuite()
    {
        if (!TestLan::IsRoot() || !BringUp(2))
            return;
        if (StartCameras(1, {"--preset", "axis", "--preset", "vivotek", "--preset", "other"}) &&
            StartCameras(2, {"--config", ConfigFile("cameras.json", kSecondHostCameras)}))
            EnterPc();
    }

    // One whole search: started, waited for, devices by UDN.
    static std::map<std::string, UpnpDeviceInfo> Search(UpnpSearchEngine& engine)
    {
        std::map<std::string, UpnpDeviceInfo> byUdn;
        if (SearchEnds(engine))
            for (const UpnpDeviceInfo& d : engine.devicesSnapshot())
                byUdn[d.unique_device_name] = d;
        return byUdn;
    }
};

const std::string kAxis = "uuid:quendrel-sim-cam1-10-77-1-2";
const std::string kVivotek = "uuid:quendrel-sim-cam2-10-77-1-2";
const std::string kOther = "uuid:quendrel-sim-cam3-10-77-1-2";

} // namespace

TEST_F(UpnpLan, FindsTheCamerasOfTheTwoMakersSpelledExactlyWithAllNineteenTexts)
{
    UpnpSearchEngine engine(OnLan());
    const auto found = Search(engine);
    ASSERT_EQ(found.size(), 5u) << "AXIS and Vivotek cameras on both hosts";
    // "Axis-less Storage Inc. vivotek-compatible" is read but dropped.
    EXPECT_FALSE(found.contains(kOther));
    const SearchStats stats = engine.lastStats();
    EXPECT_EQ(stats.read, 6);
    EXPECT_EQ(stats.kept, 5);
    EXPECT_EQ(stats.interfaces, 1);
    EXPECT_EQ(stats.end, SearchEnd::Quiet);

    const std::string axisBase = "http://10.77.1.2:" + std::to_string(Camera(kAxis).port);
    UpnpDeviceInfo axis;
    axis.children = "No: Zero children";
    axis.description = "AXIS 211 Network Camera";
    axis.friendly_name = "AXIS 211 - 00408C123456";
    axis.has_children = "No";
    axis.icon_url = axisBase + "/icon.gif";
    axis.is_root_device = "Yes";
    axis.manufacturer_name = "AXIS";
    axis.manufacturer_url = "http://www.axis.com/";
    axis.model_name = "AXIS 211";
    axis.model_number = "211";
    axis.model_url = "http://www.axis.com/products/cam_211";
    axis.parent_device = "This is a topmost device";
    axis.presentation_url = axisBase + "/index.html";
    axis.root_device = "This is a topmost device";
    axis.serial_number = "00408C123456";
    axis.services = "Yes: One service";
    axis.type = "urn:schemas-upnp-org:device:Basic:1";
    axis.unique_device_name = kAxis;
    axis.upc = "123456789012";
    ASSERT_TRUE(found.contains(kAxis));
    EXPECT_EQ(found.at(kAxis), axis);

    const std::string vivotekBase = "http://10.77.1.2:" + std::to_string(Camera(kVivotek).port);
    ASSERT_TRUE(found.contains(kVivotek));
    const UpnpDeviceInfo& vivotek = found.at(kVivotek);
    EXPECT_EQ(vivotek.children, "Yes: 2 children");
    EXPECT_EQ(vivotek.has_children, "Yes");
    EXPECT_EQ(vivotek.services, "Yes: 4services");
    EXPECT_EQ(vivotek.friendly_name, "Lobby (IP7137 front door)");
    EXPECT_EQ(vivotek.manufacturer_name, "Vivotek");
    EXPECT_EQ(vivotek.presentation_url, vivotekBase + "/index.html");
    EXPECT_EQ(vivotek.parent_device, "This is a topmost device");
    EXPECT_EQ(vivotek.root_device, "This is a topmost device");

    // What a description leaves out reads as empty, never as another device's value.
    ASSERT_TRUE(found.contains("uuid:lan-vivotek-plain"));
    const UpnpDeviceInfo& plain = found.at("uuid:lan-vivotek-plain");
    EXPECT_EQ(plain.children, "Yes: One child");
    EXPECT_EQ(plain.services, "No: Zero services");
    EXPECT_EQ(plain.icon_url, "");
    EXPECT_EQ(plain.upc, "");
    EXPECT_EQ(plain.model_number, "");
    EXPECT_EQ(plain.serial_number, "0002D1A1B2C3");
}

TEST_F(UpnpLan, ResultsBecomeGridRowsByThePresentationUrl)
{
    UpnpSearchEngine engine(OnLan());
    ASSERT_TRUE(SearchEnds(engine));

    Discovery::MemoryLog log;
    Discovery::DiscoveryState state(log);
    state.projectFilter = "UPNP";
    const ResultsOutcome outcome = ApplyUpnpResults(state, engine.devicesSnapshot());
    ASSERT_EQ(outcome.end, ResultsEnd::Done);
    // The URL without a path and the Vivotek without "(" give no row.
    ASSERT_EQ(outcome.shown, 3);

    std::map<std::string, Discovery::DeviceGrid::Row> byName;
    for (int r = 1; r < state.grid.gridRowCount(); ++r)
        byName[state.grid.cell(Discovery::DeviceGrid::kNameColumn, r)] = state.grid.row(r);
    using Row = Discovery::DeviceGrid::Row;
    EXPECT_EQ(byName["AXIS 211 Network Camera"],
              (Row{"Axis 200 Series", "Axis 200 Series", "AXIS 211 Network Camera", "10.77.1.2",
                   std::to_string(Camera(kAxis).port), "NULL", "NULL"}));
    EXPECT_EQ(byName["Gate camera"],
              (Row{"Axis 200 Series", "Axis 200 Series", "Gate camera", "10.77.1.3", "80", "NULL", "NULL"}));
    EXPECT_EQ(byName["Lobby "], (Row{"VivoTek 7000 Series", "VivoTek 7000 Series", "Lobby ", "10.77.1.2",
                                     std::to_string(Camera(kVivotek).port), "NULL", "NULL"}));
    EXPECT_EQ(state.devices.size(), 3u);
}

TEST_F(UpnpLan, SimulatorServesThePresentationPageAndIcon)
{
    const Announced& gate = Camera("uuid:lan-axis-80");
    EXPECT_EQ(gate.presentationUrl, "http://10.77.1.3/index.html");
    const std::string page = HttpGet("10.77.1.3", 80, "/index.html");
    EXPECT_EQ(page.rfind("HTTP/1.0 200", 0) == 0 || page.rfind("HTTP/1.1 200", 0) == 0, true) << page;
    EXPECT_NE(page.find("AXIS 211 - 00408C123456"), std::string::npos);
    const std::string icon = HttpGet("10.77.1.2", Camera(kAxis).port, "/icon.gif");
    EXPECT_NE(icon.find("GIF89a"), std::string::npos);
}

TEST_F(UpnpLan, DefaultInterfacesAreTheNamespacesOwn)
{
    // Unset interfaces: every up IPv4 adapter, which in the PC namespace is eth0 alone.
    UpnpSearchEngine engine{UpnpSearchOptions{}};
    EXPECT_EQ(Search(engine).size(), 5u);
    EXPECT_EQ(engine.lastStats().interfaces, 1);
}

TEST_F(UpnpLan, AWebProxyInTheEnvironmentIsNotUsedForDescriptions)
{
    // Nothing listens there: a description fetched through it would never come.
    ::setenv("http_proxy", "http://10.77.1.250:3128", 1);
    ::setenv("HTTP_PROXY", "http://10.77.1.250:3128", 1);
    UpnpSearchEngine engine(OnLan());
    const std::size_t found = Search(engine).size();
    ::unsetenv("http_proxy");
    ::unsetenv("HTTP_PROXY");
    EXPECT_EQ(found, 5u);
    EXPECT_EQ(engine.lastStats().end, SearchEnd::Quiet);
}

TEST_F(UpnpLan, RepeatedSearchesFindTheSameAndEndOnTheirOwn)
{
    UpnpSearchEngine engine(OnLan());
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(Search(engine).size(), 5u) << "search " << i;
        EXPECT_EQ(engine.lastStats().end, SearchEnd::Quiet);
    }
}

TEST_F(UpnpLan, DestroyingTheEngineDuringASearchIsSafe)
{
    // At the start, among the answers, and while descriptions are read.
    for (const auto pause : {0ms, 5ms, 30ms, 120ms, 400ms, 900ms}) {
        auto engine = std::make_unique<UpnpSearchEngine>(OnLan());
        QObject window;
        ASSERT_TRUE(engine->StartSearch(&window));
        const auto done = engine->doneEvent();
        std::this_thread::sleep_for(pause);
        auto destroyed = std::async(std::launch::async, [&engine] { engine.reset(); });
        ASSERT_EQ(destroyed.wait_for(10s), std::future_status::ready) << "after " << pause.count() << " ms";
        EXPECT_TRUE(done->isSet());
    }
}

using UpnpLanEmpty = LanTest;

TEST_F(UpnpLanEmpty, NoDeviceStillSignalsTheEvent)
{
    ASSERT_NO_FATAL_FAILURE(BringUp({.hosts = 0}));
    ASSERT_TRUE(TestLan::HoldsPcAddress());

    UpnpSearchEngine engine(OnLan());
    ASSERT_TRUE(SearchEnds(engine));
    EXPECT_TRUE(engine.devicesSnapshot().empty());
    EXPECT_EQ(engine.lastStats().answered, 0);
    EXPECT_EQ(engine.lastStats().interfaces, 1);
}

namespace {

// Cameras that misbehave: one never answers its description request, one
// sends an endless body, one a description past the cap, and three
// presentation URLs no row may show as they stand.
constexpr char kHostileCameras[] = R"json({"cameras":[
  {"preset":"silent-description","udn":"uuid:hostile-silent"},
  {"preset":"endless-description","udn":"uuid:hostile-endless"},
  {"preset":"axis","udn":"uuid:hostile-long","modelDescriptionBytes":300000},
  {"preset":"axis-credentials","udn":"uuid:hostile-credentials","modelDescription":"Credentials"},
  {"preset":"axis-ipv6","udn":"uuid:hostile-ipv6","modelDescription":"IPv6"},
  {"preset":"axis-empty-host","udn":"uuid:hostile-empty","modelDescription":"Empty host"}]})json";

int OpenDescriptors()
{
    int n = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/fd"))
        ++n;
    return n;
}

class UpnpLanHostile : public CameraLan {
protected:
    static void SetUpTestSuite()
    {
        if (TestLan::IsRoot() && BringUp(1) &&
            StartCameras(1, {"--config", ConfigFile("hostile.json", kHostileCameras)}))
            EnterPc();
    }

    // The silent camera holds every search to its limit: keep that short.
    static UpnpSearchOptions Short() { return OnLan(1500ms); }

    static bool SearchOnce(UpnpSearchEngine& engine)
    {
        if (!SearchEnds(engine))
            return false;
        engine.closeDoneEvent();
        return true;
    }
};

} // namespace

TEST_F(UpnpLanHostile, DescriptorsDoNotGrowAcrossSearchesAgainstSilentAndEndlessDescriptionServers)
{
    UpnpSearchEngine engine(Short());
    ASSERT_TRUE(SearchOnce(engine));
    const int afterFirst = OpenDescriptors();
    for (int i = 0; i < 2; ++i)
        ASSERT_TRUE(SearchOnce(engine));
    EXPECT_LE(OpenDescriptors(), afterFirst);
}

TEST_F(UpnpLanHostile, OversizedDescriptionsAreSkippedAndHostileUrlsGiveNoRowNorCredentials)
{
    UpnpSearchEngine engine(Short());
    ASSERT_TRUE(SearchEnds(engine));
    const SearchStats stats = engine.lastStats();
    EXPECT_EQ(stats.answered, 6);
    EXPECT_EQ(stats.oversized, 2); // the endless body and the long text
    EXPECT_EQ(stats.kept, 3);
    EXPECT_EQ(stats.end, SearchEnd::Limit); // the silent one never answered

    for (const UpnpDeviceInfo& d : engine.devicesSnapshot())
        for (const std::string* url : {&d.icon_url, &d.manufacturer_url, &d.model_url, &d.presentation_url})
            EXPECT_EQ(url->find("secret"), std::string::npos) << *url;
    Discovery::MemoryLog log;
    Discovery::DiscoveryState state(log);
    state.projectFilter = "UPNP";
    ASSERT_EQ(ApplyUpnpResults(state, engine.devicesSnapshot()).shown, 1);
    EXPECT_EQ(state.grid.cell(Discovery::DeviceGrid::kNameColumn, 1), "Credentials");
    EXPECT_EQ(state.grid.cell(Discovery::DeviceGrid::kIpColumn, 1), "10.77.1.2");
}
