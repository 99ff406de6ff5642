// SPDX-License-Identifier: MIT
// The HTTP-command road against a simulated relay host on a namespace LAN:
// the round itself, the CLI and the main window, each fetching the relay's
// page from 10.77.1.2 from inside the PC namespace.
#include "replies.h"
#include "lan_test.h"
#include "window_support.h"
#include "wire.h"

#include "discovery/relay_page_fetch.h"
#include "discovery/search_round.h"
#include "sim/device_store.h"
#include "sim/relay_page_builder.h"
#include "ui/main_form.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>
#include <set>

using namespace LanHarness;
using namespace Discovery;
using namespace std::chrono_literals;

namespace {

constexpr std::size_t kMiB = 1024 * 1024;

// The relay host's address, with the port when it is not 80.
std::string Relay(int port = 80)
{
    return TestLan::HostAddress(1) + (port == 80 ? "" : ":" + std::to_string(port));
}

void ExpectListed(const std::vector<DeviceInfo>& got, const std::vector<DeviceInfo>& want)
{
    ASSERT_EQ(got.size(), want.size());
    for (std::size_t i = 0; i < got.size(); ++i)
        EXPECT_EQ(FieldDifference(got[i], AsListed(want[i])), "") << "device " << i;
}

std::vector<std::string> Args(int count, int seed, std::vector<std::string> more)
{
    std::vector<std::string> args{"--count", std::to_string(count), "--seed", std::to_string(seed)};
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

SimProcess::Match HttpRequestFor(const std::string& path)
{
    const QString expected = QString::fromStdString(path);
    return [expected](const QJsonObject& line) {
        return line.value(QStringLiteral("transport")).toString() == QStringLiteral("http") &&
               line.value(QStringLiteral("path")).toString() == expected;
    };
}

RoundSeen RunHttpRound(DiscoveryState& state, const std::string& relayHost, const std::string& filter)
{
    SearchSettings settings;
    settings.localBroadcast = false;
    settings.relayHost = relayHost;
    settings.transport = "HttpCmd";
    state.projectFilter = filter;
    return RunRound(state, settings);
}

class HttpRelayLan : public LanTest {
protected:
    void SetUp() override
    {
        LanTest::SetUp();
        if (!IsSkipped())
            BringUp();
    }

    // The relay on host 1, null (and a failure) unless this thread is in the
    // PC namespace, the only place the program's requests are made from:
    // elsewhere 10.77.1.2 could be a real machine.
    SimProcess* StartRelay(const std::vector<std::string>& args)
    {
        SimProcess* sim = StartSim(1, args);
        EXPECT_TRUE(TestLan::HoldsPcAddress()) << "not inside the PC namespace";
        return TestLan::HoldsPcAddress() ? sim : nullptr;
    }

    MemoryLog m_log;
};

} // namespace

TEST_F(HttpRelayLan, RoundListsTheRelaysDevices)
{
    SimProcess* sim = StartRelay(Args(9, 4, {"--http-port", "80"}));
    ASSERT_TRUE(sim);
    DiscoveryState state(m_log);
    const RoundSeen r = RunHttpRound(state, Relay(), "ALL");
    EXPECT_EQ(r.end, SearchSession::End::ClosedItself);
    EXPECT_EQ(r.shown, 9);
    ExpectListed(state.devices, Sim::GenerateDevices(9, 4));
    // The closing sort puts the grid in descending order of model.
    const std::vector<std::string> models = TestSupport::Column(state.grid, DeviceGrid::kModelColumn);
    EXPECT_TRUE(std::is_sorted(models.rbegin(), models.rend()));

    const auto request = sim->waitForLine(HttpRequestFor("/device.get?DeviceType=ALL"), 3000ms);
    ASSERT_TRUE(request);
    EXPECT_TRUE(request->value("from").toString().startsWith(QString::fromStdString(TestLan::PcAddress() + ":")));
    EXPECT_EQ(sim->count(HttpRequestFor("/device.get?DeviceType=ALL")), 1u);
    // This road writes nothing into the log.
    EXPECT_TRUE(m_log.lines().empty()) << m_log.lines().front();
}

TEST_F(HttpRelayLan, ProjectFilterReachesTheRelay)
{
    SimProcess* sim = StartRelay(Args(21, 5, {"--http-port", "80"}));
    ASSERT_TRUE(sim);
    DiscoveryState state(m_log);
    const RoundSeen r = RunHttpRound(state, Relay(), "Mirkla");
    EXPECT_TRUE(sim->waitForLine(HttpRequestFor("/device.get?DeviceType=Mirkla"), 3000ms));
    const std::vector<DeviceInfo> mirkla = Sim::DevicesOfType(Sim::GenerateDevices(21, 5), "Mirkla");
    ASSERT_EQ(mirkla.size(), 3u);
    ExpectListed(state.devices, mirkla);
    EXPECT_EQ(r.shown, 3);
}

TEST_F(HttpRelayLan, HostTypedWithAPortReachesThatPort)
{
    SimProcess* sim = StartRelay(Args(4, 6, {"--http-port", "8080"}));
    ASSERT_TRUE(sim);
    DiscoveryState state(m_log);
    RoundSeen r = RunHttpRound(state, Relay(8080), "ALL");
    EXPECT_EQ(r.shown, 4);
    ExpectListed(state.devices, Sim::GenerateDevices(4, 6));
    EXPECT_TRUE(sim->waitForLine(HttpRequestFor("/device.get?DeviceType=ALL"), 3000ms));

    // Without the port the request goes to 80, where nothing listens: no
    // device, no wait, and the previous round's list is gone.
    const auto start = std::chrono::steady_clock::now();
    r = RunHttpRound(state, Relay(), "ALL");
    EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);
    EXPECT_EQ(r.shown, 0);
    EXPECT_TRUE(state.devices.empty());
}

TEST_F(HttpRelayLan, PageOverOneMiBParsesItsFirstMiB)
{
    SimProcess* sim = StartRelay(Args(6, 7, {"--http-port", "80", "--http-big", "3"}));
    ASSERT_TRUE(sim);
    // The page as the relay serves it, read whole by a plain client.
    const TcpAnswer whole = TcpExchange(TestLan::HostAddress(1), 80,
                                        "GET /device.get?DeviceType=ALL HTTP/1.0\r\n\r\n", 10000ms);
    ASSERT_TRUE(whole.closedByPeer);
    const std::size_t bodyAt = whole.bytes.find("\r\n\r\n");
    ASSERT_NE(bodyAt, std::string::npos);
    const std::string body = whole.bytes.substr(bodyAt + 4);
    ASSERT_GT(body.size(), 3 * kMiB);
    // Every line of the first MiB but the four structural ones and the
    // heading becomes a device, the last one possibly cut short.
    const std::string first = body.substr(0, kMiB);
    const auto lines = static_cast<std::size_t>(std::count(first.begin(), first.end(), '\n')) + (first.back() != '\n');
    const std::size_t expected = lines - 5;

    DiscoveryState state(m_log);
    const RoundSeen r = RunHttpRound(state, Relay(), "ALL");
    ASSERT_EQ(state.devices.size(), expected);
    EXPECT_EQ(r.shown, static_cast<int>(expected));
    // The relay's own devices first, then filler rows in order up to the cut.
    const std::vector<DeviceInfo> devices = Sim::GenerateDevices(6, 7);
    for (std::size_t i = 0; i < devices.size(); ++i)
        EXPECT_EQ(FieldDifference(state.devices[i], AsListed(devices[i])), "") << "device " << i;
    for (std::size_t i = devices.size(); i + 1 < expected; ++i)
        ASSERT_EQ(FieldDifference(state.devices[i], AsListed(Sim::FillerDevice(static_cast<int>(i - devices.size()) + 1))),
                  "")
            << "device " << i;
}

TEST_F(HttpRelayLan, RedirectsAreFollowedOnTheRelayHostOnly)
{
    // Host 2 is another relay, with devices of its own.
    SimProcess* other = m_lan->startSim(2, Args(4, 21, {"--http-port", "80"}));
    ASSERT_TRUE(other) << m_lan->error();
    const struct {
        int port;
        std::vector<std::string> redirects;
        bool listed;
    } cases[] = {
        {8081, {"--http-redirect", "5"}, true},  // the most a browser-like fetch follows
        {8082, {"--http-redirect", "6"}, false}, // one too many
        {8083, {"--http-redirect", "1", "--http-redirect-to", Relay(8083)}, true}, // absolute, same host and port
        {8084, {"--http-redirect-to", TestLan::HostAddress(1) + ":8081"}, false},  // same host, other port
        {8085, {"--http-redirect-to", TestLan::HostAddress(2)}, false},            // another host
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = {"--port", "0", "--http-port", std::to_string(c.port)};
        args.insert(args.end(), c.redirects.begin(), c.redirects.end());
        ASSERT_TRUE(c.port == 8085 ? StartRelay(Args(3, 20, args)) : m_lan->startSim(1, Args(3, 20, args)))
            << c.port << m_lan->error();
    }
    for (const auto& c : cases) {
        DiscoveryState state(m_log);
        const RoundSeen r = RunHttpRound(state, Relay(c.port), "ALL");
        EXPECT_EQ(r.shown, c.listed ? 3 : 0) << c.port;
        if (c.listed)
            ExpectListed(state.devices, Sim::GenerateDevices(3, 20));
        else
            EXPECT_TRUE(state.devices.empty()) << c.port;
    }
    EXPECT_EQ(other->count(HttpRequestFor("/device.get?DeviceType=ALL&hop=1")), 0u);
}

TEST_F(HttpRelayLan, NoAvailableItemsPageGivesNoDevice)
{
    SimProcess* sim = StartRelay(Args(5, 8, {"--http-port", "80", "--http-empty"}));
    ASSERT_TRUE(sim);
    DiscoveryState state(m_log);
    const RoundSeen r = RunHttpRound(state, Relay(), "ALL");
    EXPECT_TRUE(sim->waitForLine(HttpRequestFor("/device.get?DeviceType=ALL"), 3000ms));
    EXPECT_EQ(r.shown, 0);
    EXPECT_TRUE(state.devices.empty());
    // One blank data row under the heading, as for any round that found nothing.
    EXPECT_EQ(state.grid.gridRowCount(), 2);
    EXPECT_EQ(state.grid.cell(DeviceGrid::kModelColumn, 1), "");
}

TEST_F(HttpRelayLan, CliSearchListsTheRelaysDevicesEvenWithADeadProxySet)
{
    ASSERT_TRUE(StartRelay(Args(5, 10, {"--http-port", "80"})));
    // A desktop proxy setting where nothing listens must not come between
    // the program and the relay on its own network.
    const std::string deadProxy = "http://" + TestLan::HostAddress(90) + ":3128";
    const std::vector<std::vector<std::string>> environments = {
        {}, {"http_proxy=" + deadProxy, "HTTP_PROXY=" + deadProxy, "all_proxy=" + deadProxy}};
    for (const std::vector<std::string>& environment : environments) {
        std::vector<std::string> command = {"env"};
        command.insert(command.end(), environment.begin(), environment.end());
        command.insert(command.end(), {QUENDREL_CLI_PROGRAM, "search", "--relay", Relay(), "--transport", "HttpCmd",
                                       "--format", "json", "--quiet"});
        std::string out;
        ASSERT_EQ(RunProgram(command, out), 0);
        const QJsonArray list = QJsonDocument::fromJson(QByteArray::fromStdString(out)).array();
        const std::vector<DeviceInfo> devices = Sim::GenerateDevices(5, 10);
        ASSERT_EQ(list.size(), static_cast<qsizetype>(devices.size())) << out << environment.size();
        for (qsizetype i = 0; i < list.size(); ++i) {
            const QJsonObject device = list[i].toObject();
            const DeviceInfo& want = devices[static_cast<std::size_t>(i)];
            EXPECT_EQ(device.value("mac").toString().toStdString(), FieldText(want.mac));
            EXPECT_EQ(device.value("name").toString().toStdString(), FieldText(want.name));
            EXPECT_EQ(device.value("trigger_port").toString().toStdString(), FieldText(want.trigger_port));
            EXPECT_EQ(device.value("gateway").toString(), QString()); // the page has no gateway column
        }
    }
}

namespace {

// The window with its hidden search-method controls set for the HTTP road.
struct HttpWindow {
    explicit HttpWindow(const std::string& relay, const QString& project)
    {
        form.show();
        auto* relayButton = form.findChild<QRadioButton*>(QStringLiteral("RadioButton2"));
        relayButton->setChecked(true);
        form.RadioButton2Click();
        form.findChild<QComboBox*>(QStringLiteral("ComboBox1"))->setCurrentText(QString::fromStdString(relay));
        form.findChild<QComboBox*>(QStringLiteral("ComboBox2"))->setCurrentText(QStringLiteral("HttpCmd"));
        // A project name: no UPnP search joins the round.
        form.findChild<QComboBox*>(QStringLiteral("Proj"))->setCurrentText(project);
        button = form.findChild<QPushButton*>(QStringLiteral("Button1"));
        label = form.findChild<QLabel*>(QStringLiteral("Label1"));
    }

    Gui::TMainForm form;
    QPushButton* button = nullptr;
    QLabel* label = nullptr;
};

} // namespace

TEST_F(HttpRelayLan, WindowListsTheRelaysDevices)
{
    SimProcess* sim = StartRelay(Args(21, 11, {"--http-port", "80"}));
    ASSERT_TRUE(sim);
    HttpWindow window(Relay(), QStringLiteral("Orvane"));
    ASSERT_EQ(window.form.findChild<QComboBox*>(QStringLiteral("ComboBox2"))->currentText(), QStringLiteral("HttpCmd"));
    ASSERT_TRUE(SearchToEnd(window.form));
    EXPECT_TRUE(sim->waitForLine(HttpRequestFor("/device.get?DeviceType=Orvane"), 3000ms));

    const std::vector<DeviceInfo> orvane = Sim::DevicesOfType(Sim::GenerateDevices(21, 11), "Orvane");
    ASSERT_EQ(orvane.size(), 3u);
    EXPECT_EQ(window.label->text().toStdString(), "3 device(s) found!");
    EXPECT_TRUE(window.button->isEnabled());
    EXPECT_EQ(window.button->text().toStdString(), "Quendrel");
    ExpectListed(window.form.state().devices, orvane);
    const std::vector<std::string> macs = TestSupport::Column(window.form.state().grid, DeviceGrid::kMacColumn);
    std::multiset<std::string> want;
    for (const DeviceInfo& d : orvane)
        want.emplace(FieldText(d.mac));
    EXPECT_EQ(std::multiset<std::string>(macs.begin(), macs.end()), want);
}
