// SPDX-License-Identifier: MIT
// The search round's roads on loopback: a thread plays the devices or the
// relay, on ephemeral ports, so nothing leaves this machine.
#include "discovery/packet.h"
#include "discovery/search_round.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>

#include <algorithm>
#include <atomic>
#include <mutex>
#include <thread>

using namespace Discovery;
using namespace std::chrono_literals;

namespace {

constexpr std::uint32_t kLoopback = 0x7F000001;

std::string Reply(const std::string& model, int n)
{
    return "Kestravon,01," + model + ",Orvane,cam,10.0.0." + std::to_string(n) +
           ",80,255.255.255.0,10.0.0.254,10.0.0.253,00:00:00:00:00:" + std::to_string(10 + n) +
           ",eth0,";
}

sockaddr_in Loopback(std::uint16_t port)
{
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(port);
    a.sin_addr.s_addr = htonl(kLoopback);
    return a;
}

std::uint16_t BoundPort(int fd)
{
    sockaddr_in a{};
    socklen_t len = sizeof a;
    getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len);
    return ntohs(a.sin_port);
}

// A port that was free a moment ago.
std::uint16_t FreeUdpPort()
{
    SocketHandle s(socket(AF_INET, SOCK_DGRAM, 0));
    sockaddr_in a = Loopback(0);
    bind(s.get(), reinterpret_cast<sockaddr*>(&a), sizeof a);
    return BoundPort(s.get());
}

// Devices on loopback: answers each query datagram with the given framed replies.
class LoopbackDevices {
public:
    LoopbackDevices(std::vector<std::string> replies, std::uint16_t replyPort, bool flood = false)
        : m_replies(std::move(replies)), m_replyPort(replyPort), m_flood(flood),
          m_socket(socket(AF_INET, SOCK_DGRAM, 0))
    {
        sockaddr_in a = Loopback(0);
        bind(m_socket.get(), reinterpret_cast<sockaddr*>(&a), sizeof a);
        port = BoundPort(m_socket.get());
        m_thread = std::thread([this] { run(); });
    }
    ~LoopbackDevices()
    {
        m_stop = true;
        m_thread.join();
    }
    std::vector<std::string> received()
    {
        std::lock_guard lock(m_mutex);
        return m_received;
    }
    std::uint16_t port = 0;
    std::atomic<bool> flooding{false};

private:
    void run()
    {
        char buffer[70000];
        while (!m_stop) {
            pollfd p{m_socket.get(), POLLIN, 0};
            if (poll(&p, 1, 20) <= 0)
                continue;
            const ssize_t n = recv(m_socket.get(), buffer, sizeof buffer, 0);
            if (n <= 0)
                continue;
            {
                std::lock_guard lock(m_mutex);
                m_received.push_back(UnframeText(std::string_view(buffer, static_cast<std::size_t>(n))));
            }
            const sockaddr_in to = Loopback(m_replyPort);
            // A flood goes on back to back for far longer than any round may take.
            const auto floodEnd = std::chrono::steady_clock::now() + 20s;
            flooding = m_flood;
            do {
                for (const std::string& r : m_replies)
                    sendto(m_socket.get(), r.data(), r.size(), 0, reinterpret_cast<const sockaddr*>(&to), sizeof to);
            } while (m_flood && !m_stop && std::chrono::steady_clock::now() < floodEnd);
            flooding = false;
        }
    }

    std::vector<std::string> m_replies;
    std::uint16_t m_replyPort;
    bool m_flood;
    SocketHandle m_socket;
    std::atomic<bool> m_stop{false};
    std::mutex m_mutex;
    std::vector<std::string> m_received;
    std::thread m_thread;
};

// A TCP relay on loopback: reads the query, then answers, hangs or closes.
class LoopbackRelay {
public:
    enum class Mode { Answer, Hang };
    LoopbackRelay(std::string answer, Mode mode) : m_answer(std::move(answer)), m_mode(mode),
                                                   m_listener(socket(AF_INET, SOCK_STREAM, 0))
    {
        const int on = 1;
        setsockopt(m_listener.get(), SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
        sockaddr_in a = Loopback(0);
        bind(m_listener.get(), reinterpret_cast<sockaddr*>(&a), sizeof a);
        listen(m_listener.get(), 4);
        port = BoundPort(m_listener.get());
        m_thread = std::thread([this] { run(); });
    }
    ~LoopbackRelay()
    {
        m_stop = true;
        m_thread.join();
    }
    std::string query;
    std::uint16_t port = 0;

private:
    void run()
    {
        pollfd p{m_listener.get(), POLLIN, 0};
        while (!m_stop && poll(&p, 1, 20) <= 0) {}
        if (m_stop)
            return;
        SocketHandle peer(accept(m_listener.get(), nullptr, nullptr));
        char buffer[256] = {};
        const ssize_t n = recv(peer.get(), buffer, sizeof buffer - 1, 0);
        query = UnframeText(std::string_view(buffer, n > 0 ? static_cast<std::size_t>(n) : 0));
        if (m_mode == Mode::Answer) {
            send(peer.get(), m_answer.data(), m_answer.size(), MSG_NOSIGNAL);
            return;
        }
        while (!m_stop)
            std::this_thread::sleep_for(10ms);
    }
    std::string m_answer;
    Mode m_mode;
    SocketHandle m_listener;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

NetworkEndpoints LoopbackEndpoints(std::uint16_t devicePort, std::uint16_t replyPort)
{
    NetworkEndpoints e;
    e.broadcastAddress = kLoopback;
    e.devicePort = devicePort;
    e.replyPort = replyPort;
    e.replyBindAddress = kLoopback;
    e.silence = 100ms;
    e.tcpPause = 50ms;
    e.tcpFirstData = 300ms;
    e.tcpTotal = 1500ms;
    return e;
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

} // namespace

TEST(UdpRoad, BroadcastsTwiceAndListsEachDeviceOnce)
{
    const std::uint16_t replyPort = FreeUdpPort();
    LoopbackDevices devices({FrameBytes(Reply("B", 1) + '\0'), FrameBytes(Reply("a", 2) + '\0'),
                             FrameBytes(Reply("C", 3) + '\0' + Reply("C", 3) + '\0')},
                            replyPort);
    MemoryLog log;
    DiscoveryState state(log);
    state.projectFilter = "Orvane";
    const Outcome o = RunRound(state, {}, LoopbackEndpoints(devices.port, replyPort));

    EXPECT_EQ(o.end, RoundEnd::ClosedItself);
    EXPECT_TRUE(o.searching);
    EXPECT_FALSE(o.enabled); // the UDP road leaves the button to the closing steps
    EXPECT_EQ(o.closedWith, 3);
    ASSERT_EQ(state.devices.size(), 3u);
    const std::string query("Kestravon,00,????", 18);
    EXPECT_EQ(devices.received(), (std::vector<std::string>{query, query}));
    // Closing sort: descending by model.
    EXPECT_EQ(state.grid.cell(0, 1), "C");
    EXPECT_EQ(state.grid.cell(0, 2), "B");
    EXPECT_EQ(state.grid.cell(0, 3), "a");
    EXPECT_FALSE(state.sortAscending);
}

TEST(UdpRoad, RelayOverUdpSendsTheRelayQueryToTheRelayHost)
{
    const std::uint16_t replyPort = FreeUdpPort();
    LoopbackDevices relay({FrameBytes(Reply("R", 1) + '\0')}, replyPort);
    MemoryLog log;
    DiscoveryState state(log);
    state.projectFilter = "Orvane";
    NetworkEndpoints e = LoopbackEndpoints(relay.port, replyPort);
    e.broadcastAddress = 0x7F0000FE; // the broadcast address must not be used
    for (const char* transport : {"UDP", "tcp"}) { // transports compare exactly: "tcp" is no TCP
        const SearchSettings settings = Relay("127.0.0.1", transport);
        const Outcome o = RunRound(state, settings, e);
        EXPECT_EQ(o.closedWith, 1) << transport;
    }
    const std::string query("Kestravon,02,????", 18);
    EXPECT_EQ(relay.received(), (std::vector<std::string>(4, query)));
}

TEST(UdpRoad, HeldReplyPortLogsTheFailureAndStillCloses)
{
    // Another socket holds the reply port without address reuse.
    SocketHandle holder(socket(AF_INET, SOCK_DGRAM, 0));
    sockaddr_in a = Loopback(0);
    bind(holder.get(), reinterpret_cast<sockaddr*>(&a), sizeof a);
    const std::uint16_t replyPort = BoundPort(holder.get());

    MemoryLog log;
    DiscoveryState state(log);
    state.projectFilter = "Orvane";
    const NetworkEndpoints e = LoopbackEndpoints(FreeUdpPort(), replyPort);
    const Outcome o = RunRound(state, {}, e);
    EXPECT_EQ(o.closedWith, 0);
    EXPECT_EQ(state.grid.gridRowCount(), 2); // one blank row under the header
    ASSERT_GE(log.lines().size(), 2u);
    EXPECT_EQ(log.lines()[0], "bind() error : Address already in use\n");
    // The line names the devices' port, not the reply port that failed.
    EXPECT_EQ(log.lines()[1], "DM_CreateUDPBroadcastSocket(" + std::to_string(e.devicePort) + ") failed!\n");
}

TEST(UdpRoad, FloodingDeviceCannotHoldThePassForever)
{
    const std::uint16_t replyPort = FreeUdpPort();
    std::string packed; // twenty replies a datagram: parsing them is slower than sending
    for (int i = 0; i < 20; ++i)
        packed += Reply("F", 1) + '\0';
    LoopbackDevices flood({FrameBytes(packed)}, replyPort, true);
    MemoryLog log;
    DiscoveryState state(log);
    NetworkEndpoints e = LoopbackEndpoints(flood.port, replyPort);
    e.passLimit = 300ms;
    state.projectFilter = "Orvane";
    const Outcome o = RunRound(state, {}, e);
    EXPECT_TRUE(flood.flooding) << "the round waited for the flood to stop";
    EXPECT_EQ(o.end, RoundEnd::ClosedItself);
    EXPECT_EQ(o.closedWith, 1);
    EXPECT_EQ(std::count(log.lines().begin(), log.lines().end(),
                         "Reply pass ended after 300 ms without a quiet period\n"), 2);
}

TEST(UdpRoad, GarbageAddsNothing)
{
    const std::uint16_t replyPort = FreeUdpPort();
    LoopbackDevices junk({"", "!!!!", FrameBytes("Other,01,x"), FrameBytes("Kestravon,07,a"),
                          std::string(65000, 'A'), FrameBytes(std::string(40000, ',')),
                          FrameBytes(Reply("ok", 5))}, // no NUL: the decode buffer ends it
                         replyPort);
    MemoryLog log;
    DiscoveryState state(log);
    state.projectFilter = "Orvane";
    const Outcome o = RunRound(state, {}, LoopbackEndpoints(junk.port, replyPort));
    EXPECT_EQ(o.closedWith, 1);
    ASSERT_EQ(state.devices.size(), 1u);
    EXPECT_EQ(FieldText(state.devices[0].model), "ok");
}

TEST(TcpRelayRoad, ReadsOneFramedTextUntilTheRelayCloses)
{
    const std::string packets = Reply("T1", 1) + '\0' + Reply("T2", 2) + '\0';
    LoopbackRelay relay(FrameBytes(packets), LoopbackRelay::Mode::Answer);
    MemoryLog log;
    DiscoveryState state(log);
    state.projectFilter = "Orvane";
    const Outcome o = RunRound(state, Relay("127.0.0.1", "TCP"), LoopbackEndpoints(relay.port, FreeUdpPort()));
    EXPECT_TRUE(o.enabled);
    EXPECT_EQ(o.closedWith, 2);
    EXPECT_EQ(relay.query, std::string("Kestravon,02,????", 18));
}

TEST(TcpRelayRoad, FailuresAreLoggedAndTheRoundEnds)
{
    MemoryLog log;
    DiscoveryState state(log);
    state.projectFilter = "Orvane";
    // Nothing listens on the port.
    Outcome o = RunRound(state, Relay("127.0.0.1", "TCP"), LoopbackEndpoints(FreeUdpPort(), FreeUdpPort()));
    EXPECT_TRUE(log.contains("CONNECT ERROR"));
    EXPECT_TRUE(o.enabled);
    EXPECT_EQ(o.closedWith, 0);

    // A relay that accepts and never answers ends at the bound.
    {
        LoopbackRelay hang("", LoopbackRelay::Mode::Hang);
        o = RunRound(state, Relay("127.0.0.1", "TCP"), LoopbackEndpoints(hang.port, FreeUdpPort()));
        EXPECT_TRUE(log.contains("Relay sent no data within 300 ms\n"));
        EXPECT_EQ(o.closedWith, 0);
    }

    // A relay host that is no address is refused, never turned into a broadcast.
    log.clear();
    o = RunRound(state, Relay("relay.example", "TCP"), LoopbackEndpoints(FreeUdpPort(), FreeUdpPort()));
    EXPECT_TRUE(log.contains("Invalid relay address - [relay.example]\n"));
    log.clear();
    o = RunRound(state, Relay("255.255.255.255", "UDP"), LoopbackEndpoints(FreeUdpPort(), FreeUdpPort()));
    EXPECT_TRUE(log.contains("Invalid relay address - [255.255.255.255]\n"));
}

TEST(RoundClosing, UpnpHandOverAndTheEmptyRound)
{
    MemoryLog log;
    DiscoveryState state(log);
    const NetworkEndpoints e = LoopbackEndpoints(FreeUdpPort(), FreeUdpPort());
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

TEST(HttpCommandRoad, FetchesTheRelayPageAndParsesIt)
{
    MemoryLog log;
    DiscoveryState state(log);
    std::string asked;
    SearchRoundHooks hooks;
    hooks.fetchRelayPage = [&](const std::string& url) {
        asked = url;
        return std::vector<std::string>{"<table>", "<tr><td>Model</td></tr>",
                                        "<tr><td>H1</td><td>Orvane</td></tr>"};
    };
    state.projectFilter = "Orvane";
    const Outcome o = RunRound(state, Relay("10.77.0.5:8080", "HttpCmd"),
                          LoopbackEndpoints(FreeUdpPort(), FreeUdpPort()), hooks);
    EXPECT_EQ(asked, "http://10.77.0.5:8080/device.get?DeviceType=Orvane");
    EXPECT_TRUE(o.enabled);
    EXPECT_EQ(o.closedWith, 1);
    EXPECT_EQ(state.grid.cell(0, 1), "H1");
}
