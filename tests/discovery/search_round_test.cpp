// SPDX-License-Identifier: MIT
// The search round's roads on loopback: the simulator plays the devices or
// the relay on ephemeral ports, so nothing leaves this machine.
#include "loopback.h"
#include "replies.h"
#include "sim_devices.h"

#include "discovery/packet.h"
#include "discovery/search_round.h"
#include "sim/garbage.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace Discovery;
using namespace std::chrono_literals;
using TestSupport::FreeLoopbackPort;
using TestSupport::LoopbackEndpoints;
using TestSupport::LoopbackSimOptions;
using TestSupport::SimDevices;

namespace {

DeviceInfo Numbered(const std::string& model, int n)
{
    return TestSupport::Device(model, "10.0.0." + std::to_string(n), "00:00:00:00:00:" + std::to_string(10 + n));
}

SearchSettings Relay(const std::string& host, const std::string& transport)
{
    SearchSettings s;
    s.localBroadcast = false;
    s.relayHost = host;
    s.transport = transport;
    return s;
}

struct Outcome {
    RoundEnd end;
    int closedWith = -2;
    bool searching = false;
    bool enabled = false;
};

Outcome RunRound(DiscoveryState& state, const SearchSettings& settings, const NetworkEndpoints& e,
            SearchRoundHooks hooks = {})
{
    Outcome o{};
    hooks.searching = [&] { o.searching = true; };
    hooks.buttonEnabled = [&] { o.enabled = true; };
    hooks.closed = [&](int shown) { o.closedWith = shown; };
    o.end = RunSearchRound(state, settings, hooks, e);
    return o;
}

// The list a round fills, filtered to the simulated devices' project so
// that rounds close themselves.
class RoundTest : public ::testing::Test {
protected:
    RoundTest() { state.projectFilter = "Orvane"; }
    MemoryLog log;
    DiscoveryState state{log};
};
class UdpRoad : public RoundTest {};
class TcpRelayRoad : public RoundTest {};
class RoundClosing : public RoundTest {};
class HttpCommandRoad : public RoundTest {};

} // namespace

TEST_F(UdpRoad, BroadcastsTwiceAndListsEachDeviceOnce)
{
    const std::uint16_t replyPort = FreeLoopbackPort();
    SimDevices devices({Numbered("B", 1), Numbered("a", 2), Numbered("C", 3), Numbered("C", 3)},
                       LoopbackSimOptions(replyPort));
    const Outcome o = RunRound(state, {}, LoopbackEndpoints(devices.udpPort(), replyPort));

    EXPECT_EQ(o.end, RoundEnd::ClosedItself);
    EXPECT_TRUE(o.searching);
    EXPECT_FALSE(o.enabled); // the UDP road leaves the button to the closing steps
    EXPECT_EQ(o.closedWith, 3);
    ASSERT_EQ(state.devices.size(), 3u);
    EXPECT_EQ(devices.queries(), (std::vector<std::string>{"Kestravon,00,????", "Kestravon,00,????"}));
    // Each query is sent whole, its closing NUL framed with it.
    const int framed = static_cast<int>(FrameBytes(std::string("Kestravon,00,????", 18)).size());
    EXPECT_EQ(devices.queryBytes(), (std::vector<int>{framed, framed}));
    // Closing sort: descending by model.
    EXPECT_EQ(TestSupport::Column(state.grid, 0), (std::vector<std::string>{"C", "B", "a"}));
    EXPECT_FALSE(state.sortAscending);
}

TEST_F(UdpRoad, RelayOverUdpSendsTheRelayQueryToTheRelayHost)
{
    const std::uint16_t replyPort = FreeLoopbackPort();
    SimDevices relay({Numbered("R", 1)}, LoopbackSimOptions(replyPort));
    NetworkEndpoints e = LoopbackEndpoints(relay.udpPort(), replyPort);
    e.broadcastAddress = 0x7F0000FE; // the broadcast address must not be used
    for (const char* transport : {"UDP", "tcp"}) { // transports compare exactly: "tcp" is no TCP
        const SearchSettings settings = Relay("127.0.0.1", transport);
        const Outcome o = RunRound(state, settings, e);
        EXPECT_EQ(o.closedWith, 1) << transport;
    }
    EXPECT_EQ(relay.queries(), (std::vector<std::string>(4, "Kestravon,02,????")));
}

TEST_F(UdpRoad, HeldReplyPortLogsTheFailureAndStillCloses)
{
    // Another socket holds the reply port without address reuse.
    const SocketHandle holder = TestSupport::LoopbackUdp();
    const std::uint16_t replyPort = TestSupport::BoundPort(holder.get());

    const NetworkEndpoints e = LoopbackEndpoints(FreeLoopbackPort(), replyPort);
    const Outcome o = RunRound(state, {}, e);
    EXPECT_EQ(o.closedWith, 0);
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
    const Outcome o = RunRound(state, {}, e);
    EXPECT_EQ(flood.events("flood-end"), 0u) << "the round waited for the flood to stop";
    EXPECT_EQ(o.end, RoundEnd::ClosedItself);
    EXPECT_EQ(o.closedWith, 1);
    EXPECT_EQ(std::count(log.lines().begin(), log.lines().end(),
                         "Reply pass ended after 300 ms without a quiet period\n"), 2);
}

TEST_F(UdpRoad, GarbageAddsNothing)
{
    const std::uint16_t replyPort = FreeLoopbackPort();
    Sim::SimOptions options = LoopbackSimOptions(replyPort);
    options.garbage = true; // every kind of junk before the device's own reply
    SimDevices junk({Numbered("ok", 5)}, options);
    const Outcome o = RunRound(state, {}, LoopbackEndpoints(junk.udpPort(), replyPort));
    EXPECT_EQ(o.closedWith, static_cast<int>(state.devices.size()));
    // The real device once; besides it only the cameras that cut or over-long
    // junk still describes as a well-formed reply.
    int ok = 0;
    for (const DeviceInfo& d : state.devices) {
        const std::string model(FieldText(d.model));
        ok += model == "ok" ? 1 : 0;
        EXPECT_TRUE(model == "ok" || model == "GarbageCam" || model.starts_with("MMMM")) << model;
    }
    EXPECT_EQ(ok, 1);
}

TEST_F(TcpRelayRoad, ReadsOneFramedTextUntilTheRelayCloses)
{
    SimDevices relay({Numbered("T1", 1), Numbered("T2", 2)}, LoopbackSimOptions(FreeLoopbackPort()));
    const Outcome o =
        RunRound(state, Relay("127.0.0.1", "TCP"), LoopbackEndpoints(relay.tcpPort(), FreeLoopbackPort()));
    EXPECT_TRUE(o.enabled);
    EXPECT_EQ(o.closedWith, 2);
    EXPECT_EQ(relay.queries(), (std::vector<std::string>{"Kestravon,02,????"}));
}

TEST_F(TcpRelayRoad, FailuresAreLoggedAndTheRoundEnds)
{
    // Nothing listens on the port.
    Outcome o = RunRound(state, Relay("127.0.0.1", "TCP"), LoopbackEndpoints(FreeLoopbackPort(), FreeLoopbackPort()));
    EXPECT_TRUE(log.contains("CONNECT ERROR"));
    EXPECT_TRUE(o.enabled);
    EXPECT_EQ(o.closedWith, 0);

    // A relay that accepts and never answers ends at the bound.
    {
        Sim::SimOptions options = LoopbackSimOptions(FreeLoopbackPort());
        options.hang = true;
        SimDevices hang({Numbered("H", 1)}, options);
        o = RunRound(state, Relay("127.0.0.1", "TCP"), LoopbackEndpoints(hang.tcpPort(), FreeLoopbackPort()));
        EXPECT_TRUE(log.contains("Relay sent no data within 300 ms\n"));
        EXPECT_EQ(o.closedWith, 0);
    }

    // A relay host that is no address is refused, never turned into a broadcast.
    log.clear();
    o = RunRound(state, Relay("relay.example", "TCP"), LoopbackEndpoints(FreeLoopbackPort(), FreeLoopbackPort()));
    EXPECT_TRUE(log.contains("Invalid relay address - [relay.example]\n"));
    log.clear();
    o = RunRound(state, Relay("255.255.255.255", "UDP"), LoopbackEndpoints(FreeLoopbackPort(), FreeLoopbackPort()));
    EXPECT_TRUE(log.contains("Invalid relay address - [255.255.255.255]\n"));
}

TEST_F(RoundClosing, UpnpHandOverAndTheEmptyRound)
{
    const NetworkEndpoints e = LoopbackEndpoints(FreeLoopbackPort(), FreeLoopbackPort());
    // A round of a previous search is emptied by the next.
    state.devices.push_back(DeviceInfo{});
    state.grid.setGridRowCount(5);

    bool started = false;
    SearchRoundHooks hooks;
    hooks.startUpnp = [&] { started = true; };
    hooks.handOverToUpnp = [] { return true; };
    state.projectFilter = "all"; // case is ignored for the UPnP decision
    Outcome o = RunRound(state, {}, e, hooks);
    EXPECT_TRUE(started);
    EXPECT_EQ(o.end, RoundEnd::HandedOver);
    EXPECT_EQ(o.closedWith, -2); // the UPnP results close this round
    EXPECT_TRUE(state.devices.empty());

    // Nobody takes the round over: it closes itself.
    hooks.handOverToUpnp = [] { return false; };
    o = RunRound(state, {}, e, hooks);
    EXPECT_EQ(o.end, RoundEnd::ClosedItself);
    EXPECT_EQ(o.closedWith, 0);

    // A project filter starts no UPnP search.
    started = false;
    state.projectFilter = "Orvane";
    o = RunRound(state, {}, e, hooks);
    EXPECT_FALSE(started);
}

TEST_F(HttpCommandRoad, FetchesTheRelayPageAndParsesIt)
{
    std::string asked;
    SearchRoundHooks hooks;
    hooks.fetchRelayPage = [&](const std::string& url) {
        asked = url;
        return std::vector<std::string>{"<table>", "<tr><td>Model</td></tr>",
                                        "<tr><td>H1</td><td>Orvane</td></tr>"};
    };
    const Outcome o = RunRound(state, Relay("10.77.0.5:8080", "HttpCmd"),
                          LoopbackEndpoints(FreeLoopbackPort(), FreeLoopbackPort()), hooks);
    EXPECT_EQ(asked, "http://10.77.0.5:8080/device.get?DeviceType=Orvane");
    EXPECT_TRUE(o.enabled);
    EXPECT_EQ(o.closedWith, 1);
    EXPECT_EQ(state.grid.cell(0, 1), "H1");
}
