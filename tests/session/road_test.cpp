// SPDX-License-Identifier: MIT
// Whole rounds on each road, on loopback: the simulator plays the devices
// or the relay on ephemeral ports, so nothing leaves this machine. The
// rounds run on the event loop as the window runs them.
#include "loopback.h"
#include "replies.h"
#include "round_runner.h"
#include "sim_devices.h"

#include "discovery/packet.h"
#include "sim/garbage.h"

#include <gtest/gtest.h>

#include <QTest>

#include <algorithm>
#include <filesystem>
#include <functional>

using namespace Discovery;
using namespace std::chrono_literals;
using TestSupport::FreeLoopbackPort;
using TestSupport::LoopbackEndpoints;
using TestSupport::LoopbackSimOptions;
using TestSupport::RoundSeen;
using TestSupport::RunRound;
using TestSupport::SimDevices;

namespace {

DeviceInfo Numbered(const std::string& model, int n)
{
    return TestSupport::Device(model, "10.0.0." + std::to_string(n), "00:00:00:00:00:" + std::to_string(10 + n));
}

std::vector<DeviceInfo> Many(int count)
{
    std::vector<DeviceInfo> devices;
    for (int i = 0; i < count; ++i)
        devices.push_back(TestSupport::Device("M" + std::to_string(1000 + i), "10.1." + std::to_string(i / 250) + "." +
                                                  std::to_string(i % 250 + 1),
                                              "00:1a:00:00:" + std::to_string(10 + i / 90) + ":" + std::to_string(10 + i % 90)));
    return devices;
}

SearchSettings Relay(const std::string& host, const std::string& transport)
{
    return TestSupport::RelaySettings(host, transport);
}

std::size_t OpenSockets()
{
    std::size_t sockets = 0;
    for (const auto& fd : std::filesystem::directory_iterator("/proc/self/fd")) {
        std::error_code error;
        sockets += std::filesystem::read_symlink(fd.path(), error).string().starts_with("socket:") ? 1 : 0;
    }
    return sockets;
}

// The list a round fills, filtered to the simulated devices' project so
// that rounds close themselves.
class RoundTest : public ::testing::Test {
protected:
    RoundTest() { state.projectFilter = "Orvane"; }
    MemoryLog log;
    DiscoveryState state{log};
};
class Roads : public RoundTest {};
class UdpRoad : public RoundTest {};
class TcpRelayRoad : public RoundTest {};
class Cancel : public RoundTest {};

} // namespace

// Each road's round, as the grid and the list end it: the order, the
// duplicate rule, the cap and the closing sort; and the rows reach the
// caller while the road still runs.
TEST_F(Roads, EachRoadListsItsDevicesInOrderAndShowsThemWhileItRuns)
{
    struct Case {
        const char* name;
        std::vector<DeviceInfo> devices;
        std::function<void(Sim::SimOptions&)> sim;
        std::function<SearchSettings()> settings;
        RoadKind road;
        std::size_t limit; // the round's device cap
        std::vector<std::string> models; // the grid's model column at the end
    };
    const auto none = [](Sim::SimOptions&) {};
    const auto local = [] { return SearchSettings{}; };
    const auto relay = [](const char* transport) { return [=] { return Relay("127.0.0.1", transport); }; };
    std::vector<std::string> many;
    for (int i = 599; i >= 0; --i)
        many.push_back("M" + std::to_string(1000 + i));
    const std::vector<Case> cases = {
        {"broadcast, a device answering twice listed once", {Numbered("B", 1), Numbered("a", 2), Numbered("C", 3), Numbered("C", 3)},
         none, local, RoadKind::Datagram, kRoundDeviceLimit, {"C", "B", "a"}},
        {"replies packed three a datagram", {Numbered("x", 1), Numbered("y", 2), Numbered("z", 3)},
         [](Sim::SimOptions& o) { o.pack = 3; }, local, RoadKind::Datagram, kRoundDeviceLimit, {"z", "y", "x"}},
        {"relay over UDP", {Numbered("R", 1)}, none, relay("UDP"), RoadKind::Datagram, kRoundDeviceLimit, {"R"}},
        {"\"tcp\" is no TCP: transports compare exactly", {Numbered("R", 1)}, none, relay("tcp"), RoadKind::Datagram,
         kRoundDeviceLimit, {"R"}},
        {"relay over TCP", {Numbered("T1", 1), Numbered("T2", 2)}, none, relay("TCP"), RoadKind::TcpRelay,
         kRoundDeviceLimit, {"T2", "T1"}},
        {"a TCP relay answer over 64 KiB is read whole, no record cut", Many(600), none, relay("TCP"),
         RoadKind::TcpRelay, kRoundDeviceLimit, many},
        {"the device cap ends a TCP relay answer", Many(600), none, relay("TCP"), RoadKind::TcpRelay, 5,
         {"M1004", "M1003", "M1002", "M1001", "M1000"}},
        {"the device cap ends the datagram road", Many(8), none, local, RoadKind::Datagram, 5,
         {"M1004", "M1003", "M1002", "M1001", "M1000"}},
        {"relay page over HTTP", {Numbered("H1", 1), Numbered("H2", 2)},
         [](Sim::SimOptions& o) { o.httpPort = 0; }, relay("HttpCmd"), RoadKind::RelayPage, kRoundDeviceLimit,
         {"H2", "H1"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::uint16_t replyPort = FreeLoopbackPort();
        Sim::SimOptions options = LoopbackSimOptions(replyPort);
        c.sim(options);
        SimDevices devices(c.devices, options);
        NetworkEndpoints e = LoopbackEndpoints(c.road == RoadKind::TcpRelay ? devices.tcpPort() : devices.udpPort(),
                                               replyPort);
        SearchSettings settings = c.settings();
        if (c.road == RoadKind::RelayPage)
            settings.relayHost = "127.0.0.1:" + std::to_string(devices.httpPort());
        ASSERT_EQ(KindOfRoad(settings), c.road);
        state.deviceLimit = c.limit;
        const RoundSeen r = RunRound(state, settings, e);
        ASSERT_TRUE(r.ended);
        EXPECT_EQ(TestSupport::Column(state.grid, DeviceGrid::kModelColumn), c.models);
        EXPECT_EQ(r.shown, static_cast<int>(c.models.size()));
        EXPECT_FALSE(state.sortAscending); // the closing sort: descending by model
        EXPECT_GT(r.listedWhileSearching, 0u) << "no row before the round's end";
        if (c.limit < kRoundDeviceLimit) {
            EXPECT_TRUE(log.contains("Device limit of 5 reached; further replies ignored\n"));
        }
        // The list keeps arrival order: the relay's own.
        if (c.road == RoadKind::TcpRelay && c.limit == kRoundDeviceLimit) {
            for (std::size_t i = 0; i < state.devices.size(); ++i)
                EXPECT_EQ(FieldText(state.devices[i].mac), FieldText(c.devices[i].mac)) << i;
        }
    }
}

TEST_F(UdpRoad, BroadcastsTheQueryTwiceEachSentWhole)
{
    const std::uint16_t replyPort = FreeLoopbackPort();
    SimDevices devices({Numbered("B", 1)}, LoopbackSimOptions(replyPort));
    RunRound(state, {}, LoopbackEndpoints(devices.udpPort(), replyPort));
    EXPECT_EQ(devices.queries(), (std::vector<std::string>{"Kestravon,00,????", "Kestravon,00,????"}));
    // Each query is sent whole, its closing NUL framed with it.
    const int framed = static_cast<int>(FrameBytes(std::string("Kestravon,00,????", 18)).size());
    EXPECT_EQ(devices.queryBytes(), (std::vector<int>{framed, framed}));

    SimDevices relay({Numbered("R", 1)}, LoopbackSimOptions(replyPort));
    NetworkEndpoints e = LoopbackEndpoints(relay.udpPort(), replyPort);
    e.broadcastAddress = 0x7F0000FE; // the broadcast address must not be used
    RunRound(state, Relay("127.0.0.1", "UDP"), e);
    EXPECT_EQ(relay.queries(), (std::vector<std::string>(2, "Kestravon,02,????")));
}

TEST_F(UdpRoad, HeldReplyPortLogsTheFailureAndStillCloses)
{
    // Another socket holds the reply port without address reuse.
    const SocketHandle holder = TestSupport::LoopbackUdp();
    const std::uint16_t replyPort = TestSupport::BoundPort(holder.get());

    const NetworkEndpoints e = LoopbackEndpoints(FreeLoopbackPort(), replyPort);
    const RoundSeen r = RunRound(state, {}, e);
    EXPECT_EQ(r.shown, 0);
    EXPECT_EQ(r.problem, RoadProblem::ReplyPortUnavailable);
    EXPECT_EQ(state.grid.gridRowCount(), 2); // one blank row under the header
    ASSERT_GE(log.lines().size(), 2u);
    EXPECT_EQ(log.lines()[0], "bind() error : Address already in use\n");
    // The line names the devices' port, not the reply port that failed.
    EXPECT_EQ(log.lines()[1], "DM_CreateUDPBroadcastSocket(" + std::to_string(e.devicePort) + ") failed!\n");
}

TEST_F(UdpRoad, FloodingDeviceCannotHoldThePassForever)
{
    const std::uint16_t replyPort = FreeLoopbackPort();
    Sim::SimOptions options = LoopbackSimOptions(replyPort);
    options.pack = 20; // twenty replies a datagram: parsing them is slower than sending
    options.flood = true;
    options.floodInterval = 0ms;
    options.floodFor = 20s; // far longer than any round may take
    SimDevices flood(std::vector<DeviceInfo>(20, Numbered("F", 1)), options);
    NetworkEndpoints e = LoopbackEndpoints(flood.udpPort(), replyPort);
    e.passLimit = 300ms;
    const RoundSeen r = RunRound(state, {}, e);
    EXPECT_EQ(flood.events("flood-end"), 0u) << "the round waited for the flood to stop";
    EXPECT_EQ(r.shown, 1);
    EXPECT_EQ(std::count(log.lines().begin(), log.lines().end(),
                         "Reply pass ended after 300 ms without a quiet period\n"), 2);
}

TEST_F(UdpRoad, GarbageAddsNothingAndRepeatedJunkIsLoggedOnce)
{
    const std::uint16_t replyPort = FreeLoopbackPort();
    Sim::SimOptions options = LoopbackSimOptions(replyPort);
    options.garbage = true; // every kind of junk before the device's own reply
    SimDevices junk({Numbered("ok", 5)}, options);
    const RoundSeen r = RunRound(state, {}, LoopbackEndpoints(junk.udpPort(), replyPort));
    EXPECT_EQ(r.shown, static_cast<int>(state.devices.size()));
    // The real device once; besides it only the cameras that cut or over-long
    // junk still describes as a well-formed reply.
    int ok = 0;
    for (const DeviceInfo& d : state.devices) {
        const std::string model(FieldText(d.model));
        ok += model == "ok" ? 1 : 0;
        EXPECT_TRUE(model == "ok" || model == "GarbageCam" || model.starts_with("MMMM")) << model;
    }
    EXPECT_EQ(ok, 1);
    // Both passes brought the same junk: each line once, then its count.
    for (const std::string& line : log.lines())
        EXPECT_LE(std::count(log.lines().begin(), log.lines().end(), line), line.starts_with("Broadcast") ? 2 : 1)
            << line;
}

TEST_F(TcpRelayRoad, FailuresAreLoggedAndTheRoundEnds)
{
    // Nothing listens on the port.
    RoundSeen r = RunRound(state, Relay("127.0.0.1", "TCP"), LoopbackEndpoints(FreeLoopbackPort(), FreeLoopbackPort()));
    EXPECT_TRUE(log.contains("CONNECT ERROR"));
    EXPECT_EQ(r.shown, 0);

    // A relay that accepts and never answers ends at the bound.
    {
        Sim::SimOptions options = LoopbackSimOptions(FreeLoopbackPort());
        options.hang = true;
        SimDevices hang({Numbered("H", 1)}, options);
        r = RunRound(state, Relay("127.0.0.1", "TCP"), LoopbackEndpoints(hang.tcpPort(), FreeLoopbackPort()));
        EXPECT_TRUE(log.contains("Relay sent no data within 300 ms\n"));
        EXPECT_EQ(r.shown, 0);
    }

    // A relay host that is no address is refused, never turned into a broadcast.
    log.clear();
    RunRound(state, Relay("relay.example", "TCP"), LoopbackEndpoints(FreeLoopbackPort(), FreeLoopbackPort()));
    EXPECT_TRUE(log.contains("Invalid relay address - [relay.example]\n"));
    log.clear();
    RunRound(state, Relay("255.255.255.255", "UDP"), LoopbackEndpoints(FreeLoopbackPort(), FreeLoopbackPort()));
    EXPECT_TRUE(log.contains("Invalid relay address - [255.255.255.255]\n"));
}

// A round cancelled while its road waits on the network: every socket and
// fetch is closed at once and nothing of it reaches the caller afterwards
// (the next round, on the same loop, sees only its own signals).
TEST_F(Cancel, ClosesEverySocketAndFetchAndReportsNothingMore)
{
    const std::uint16_t replyPort = FreeLoopbackPort();
    Sim::SimOptions options = LoopbackSimOptions(replyPort);
    options.hang = true;     // the TCP relay accepts and never answers
    options.httpPort = 0;
    options.httpHang = true; // so does the page
    options.delay = 10s;     // and the devices answer far too late
    SimDevices silent({Numbered("S", 1)}, options);
    SimDevices answering({Numbered("A", 1)}, LoopbackSimOptions(replyPort));
    struct Road {
        SearchSettings settings;
        NetworkEndpoints endpoints;
        std::function<bool()> waiting; // the road has reached the network and waits there
        std::function<bool()> closed;  // and has let go of it
    };
    const std::size_t before = OpenSockets();
    const std::vector<Road> roads = {
        {SearchSettings{}, LoopbackEndpoints(silent.udpPort(), replyPort), [&] { return !silent.queries().empty(); },
         [&] { return OpenSockets() == before; }},
        // The relays (in this process) see the connection closed.
        {Relay("127.0.0.1", "TCP"), LoopbackEndpoints(silent.tcpPort(), replyPort),
         [&] { return silent.events("tcp-hanging") > 0; }, [&] { return silent.events("tcp-closed") > 0; }},
        {Relay("127.0.0.1:" + std::to_string(silent.httpPort()), "HttpCmd"), LoopbackEndpoints(0, replyPort),
         [&] { return silent.events("http-hanging") > 0; }, [&] { return silent.events("http-closed") > 0; }},
    };
    for (const Road& road : roads) {
        SearchSession session(state, std::nullopt);
        session.setEndpoints(road.endpoints);
        int reported = 0;
        QObject::connect(&session, &SearchSession::finished, [&] { ++reported; });
        ASSERT_TRUE(session.start(road.settings, "Orvane"));
        ASSERT_TRUE(QTest::qWaitFor(road.waiting, 5000));
        session.cancel();
        EXPECT_EQ(session.state(), SearchSession::State::Idle);
        EXPECT_TRUE(QTest::qWaitFor(road.closed, 5000)) << "the cancelled road still holds its socket";
        // A whole round after it on the same loop: anything the cancelled
        // one had posted would come first.
        session.setEndpoints(LoopbackEndpoints(answering.udpPort(), replyPort));
        const RoundSeen next = RunRound(session, state, SearchSettings{}, "Orvane");
        EXPECT_TRUE(next.ended);
        EXPECT_EQ(next.shown, 1);
        EXPECT_EQ(reported, 1); // the next round's own
    }
}
