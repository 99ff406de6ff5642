// SPDX-License-Identifier: MIT
// The relay's HTTP interface driven in-process on 127.0.0.1: real sockets,
// the simulator's loop pumped by the test between its reads and writes.
#include "sim/http_relay.h"
#include "sim/relay_page_builder.h"

#include "loopback.h"
#include "loopback_sim_fixture.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <sys/socket.h>

#include <QJsonObject>

#include <functional>
#include <memory>
#include <optional>

using namespace Sim;
using Discovery::DeviceInfo;

namespace {

using TestSupport::kLoopback;
constexpr std::size_t kMiB = 1024 * 1024;

struct Response {
    int status = 0;
    std::string head; // status line and header lines
    std::string body;
    bool closed = false;
};

// Splits what a connection brought back; the body must be as long as the
// Content-Length header says.
Response Split(const std::string& bytes, bool closed)
{
    Response r;
    r.closed = closed;
    const std::size_t end = bytes.find("\r\n\r\n");
    if (end == std::string::npos || bytes.compare(0, 9, "HTTP/1.1 ") != 0)
        return r;
    r.head = bytes.substr(0, end + 2);
    r.body = bytes.substr(end + 4);
    r.status = std::stoi(bytes.substr(9, 3));
    return r;
}

std::optional<std::size_t> ContentLength(const Response& r)
{
    const std::size_t at = r.head.find("\r\nContent-Length: ");
    if (at == std::string::npos)
        return std::nullopt;
    return std::stoul(r.head.substr(at + 18));
}

class HttpLoopback : public LoopbackSimTest {
protected:
    Sim::SimOptions Options() const
    {
        Sim::SimOptions o = LoopbackSimTest::Options();
        o.httpPort = 0;
        return o;
    }

    // A client still connecting: this thread also runs the simulator.
    Discovery::SocketHandle Connect() { return TestSupport::ConnectLoopback(m_sim->httpPort(), false); }

    // Sends everything, pumping the simulator while the socket is full.
    void SendAll(int fd, std::string_view bytes)
    {
        Pump([&] {
            while (!bytes.empty()) {
                const ssize_t n = send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
                if (n <= 0)
                    return false;
                bytes.remove_prefix(static_cast<std::size_t>(n));
            }
            return true;
        });
        EXPECT_TRUE(bytes.empty());
    }

    Response Exchange(const std::string& request)
    {
        Discovery::SocketHandle client = Connect();
        SendAll(client.get(), request);
        const auto [bytes, closed] = ReadAll(client.get());
        return Split(bytes, closed);
    }

    Response Get(const std::string& target)
    {
        return Exchange("GET " + target + " HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: Keep-Alive\r\n\r\n");
    }
};

TEST_F(HttpLoopback, ServesTheDevicePageOfTheAskedProject)
{
    const std::vector<DeviceInfo> devices = GenerateDevices(21, 2);
    ASSERT_NO_FATAL_FAILURE(Start(Options(), devices));
    const QJsonObject* ready = Last("ready");
    ASSERT_NE(ready, nullptr);
    EXPECT_EQ(ready->value(QStringLiteral("http_port")).toInt(), m_sim->httpPort());
    EXPECT_EQ(ready->value(QStringLiteral("http_mode")).toString(), QStringLiteral("normal"));

    Response r = Get("/device.get?DeviceType=ALL");
    EXPECT_EQ(r.status, 200);
    EXPECT_TRUE(r.closed); // one request per connection
    EXPECT_NE(r.head.find("\r\nContent-Type: text/html"), std::string::npos);
    EXPECT_NE(r.head.find("\r\nConnection: close\r\n"), std::string::npos);
    EXPECT_EQ(ContentLength(r), r.body.size());
    EXPECT_EQ(r.body, BuildRelayPage(devices));

    // Only the asked project; encoded the same as plain.
    r = Get("/device.get?DeviceType=%4Dirkla");
    EXPECT_EQ(r.body, BuildRelayPage(DevicesOfType(devices, "Mirkla")));
    EXPECT_EQ(Last("http-answered")->value(QStringLiteral("devices")).toInt(), 3);

    // A project nobody has: the short "No available items" page, still 200.
    r = Get("/device.get?DeviceType=Nobody");
    EXPECT_EQ(r.status, 200);
    EXPECT_EQ(r.body, NoItemsPage());
    EXPECT_EQ(Last("http-answered")->value(QStringLiteral("page")).toString(), QStringLiteral("no-items"));

    // Every request is logged with its sender and its path as sent.
    const std::vector<QJsonObject> requests = Lines("transport", "http");
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_EQ(requests[0].value(QStringLiteral("path")).toString(), QStringLiteral("/device.get?DeviceType=ALL"));
    EXPECT_EQ(requests[1].value(QStringLiteral("path")).toString(), QStringLiteral("/device.get?DeviceType=%4Dirkla"));
    EXPECT_EQ(requests[0].value(QStringLiteral("method")).toString(), QStringLiteral("GET"));
    EXPECT_TRUE(requests[0].value(QStringLiteral("from")).toString().startsWith(QStringLiteral("127.0.0.1:")));
    // Each connection ended cleanly once its client had read the answer.
    ASSERT_TRUE(Pump([&] { return Lines("reason", "done").size() == 3; }));
}

TEST_F(HttpLoopback, AnswersOtherRequestsWithAnErrorLineOnly)
{
    ASSERT_NO_FATAL_FAILURE(Start(Options(), GenerateDevices(3, 0)));
    struct Case {
        std::string request;
        int status;
    };
    const std::vector<Case> cases = {
        {"GET /index.html HTTP/1.1\r\n\r\n", 404},
        {"GET /device.getx?DeviceType=ALL HTTP/1.1\r\n\r\n", 404},
        {"GET /device.get HTTP/1.1\r\n\r\n", 400},           // no DeviceType
        {"GET /device.get?Type=ALL HTTP/1.0\r\n\r\n", 400},
        {"POST /device.get?DeviceType=ALL HTTP/1.1\r\nContent-Length: 0\r\n\r\n", 405},
        {"Kestravon,00,????\n\n", 400},                       // not HTTP at all
        {"GET /device.get?DeviceType=ALL HTTP/1.1\r\n" + std::string(9000, 'x') + "\r\n\r\n", 431},
    };
    for (const Case& c : cases) {
        const Response r = Exchange(c.request);
        EXPECT_EQ(r.status, c.status) << c.request.substr(0, 60);
        EXPECT_TRUE(r.closed);
        EXPECT_EQ(ContentLength(r), r.body.size());
        // One line: read as a relay page it is a heading and lists nothing.
        EXPECT_EQ(std::count(r.body.begin(), r.body.end(), '\n'), 1) << r.body;
    }
    EXPECT_NE(Exchange(cases[4].request).head.find("\r\nAllow: GET, HEAD\r\n"), std::string::npos);
    EXPECT_EQ(Lines("event", "http-bad-request").size(), 2u);

    // HEAD: the headers of the page, without it.
    const Response head = Exchange("HEAD /device.get?DeviceType=ALL HTTP/1.1\r\n\r\n");
    EXPECT_EQ(head.status, 200);
    EXPECT_TRUE(head.body.empty());
    EXPECT_EQ(ContentLength(head), BuildRelayPage(GenerateDevices(3, 0)).size());
}

TEST_F(HttpLoopback, RequestInPiecesIsAnsweredOnceItsHeadHasEnded)
{
    ASSERT_NO_FATAL_FAILURE(Start(Options(), GenerateDevices(2, 0)));
    Discovery::SocketHandle client = Connect();
    SendAll(client.get(), "GET /device.get?Devi");
    Pump([] { return false; }, std::chrono::milliseconds(50));
    SendAll(client.get(), "ceType=ALL HTTP/1.1\r\nHost: x\r\n");
    Pump([] { return false; }, std::chrono::milliseconds(50));
    EXPECT_EQ(Last("http-answered"), nullptr);
    SendAll(client.get(), "\r\n");
    const auto [bytes, closed] = ReadAll(client.get());
    const Response r = Split(bytes, closed);
    EXPECT_EQ(r.status, 200);
    EXPECT_EQ(r.body, BuildRelayPage(GenerateDevices(2, 0)));
}

TEST_F(HttpLoopback, HangReadsTheRequestAndNeverAnswers)
{
    SimOptions options = Options();
    options.httpHang = true;
    ASSERT_NO_FATAL_FAILURE(Start(options, GenerateDevices(3, 0)));
    Discovery::SocketHandle client = Connect();
    SendAll(client.get(), "GET /device.get?DeviceType=ALL HTTP/1.1\r\n\r\n");
    ASSERT_TRUE(Pump([&] { return Last("http-hanging") != nullptr; }));
    EXPECT_EQ(Lines("transport", "http").size(), 1u);
    // It keeps reading whatever comes, so the peer never blocks on it.
    SendAll(client.get(), std::string(256 * 1024, 'z'));
    Pump([] { return false; }, std::chrono::milliseconds(300));
    char byte;
    EXPECT_EQ(recv(client.get(), &byte, 1, MSG_DONTWAIT), -1); // no data and no end of stream
    EXPECT_EQ(errno, EAGAIN);
    EXPECT_EQ(Last("http-answered"), nullptr);
    // Once the client gives up, the connection goes.
    client.reset();
    ASSERT_TRUE(Pump([&] { return Last("http-closed") != nullptr; }));
    EXPECT_EQ(Last("http-closed")->value(QStringLiteral("reason")).toString(), QStringLiteral("peer-closed"));
}

TEST_F(HttpLoopback, BigPageListsTheDevicesFirstAndOutgrowsItsSize)
{
    SimOptions options = Options();
    options.httpBigMiB = 8;
    const std::vector<DeviceInfo> devices = GenerateDevices(5, 0);
    ASSERT_NO_FATAL_FAILURE(Start(options, devices));
    const Response r = Get("/device.get?DeviceType=ALL");
    EXPECT_EQ(r.status, 200);
    ASSERT_EQ(ContentLength(r), r.body.size());
    EXPECT_GE(r.body.size(), 8 * kMiB);
    EXPECT_LT(r.body.size(), 8 * kMiB + 4096);
    std::string rows = RelayPageHead();
    for (const DeviceInfo& d : devices)
        rows += RelayPageRow(d);
    EXPECT_EQ(r.body.compare(0, rows.size(), rows), 0);
    EXPECT_EQ(r.body.compare(rows.size(), std::string::npos, FillerRows(8 * kMiB) + RelayPageTail()), 0);
    EXPECT_EQ(Last("http-answered")->value(QStringLiteral("page")).toString(), QStringLiteral("big"));

    // A client that stops after 1 MiB, as the program does, ends the answer
    // early. Its small receive window keeps the kernel from taking it all.
    Discovery::SocketHandle client(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
    const int window = 32 * 1024;
    ASSERT_EQ(setsockopt(client.get(), SOL_SOCKET, SO_RCVBUF, &window, sizeof window), 0);
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(m_sim->httpPort());
    to.sin_addr.s_addr = htonl(kLoopback);
    connect(client.get(), reinterpret_cast<const sockaddr*>(&to), sizeof to);
    SendAll(client.get(), "GET /device.get?DeviceType=Mirkla HTTP/1.1\r\n\r\n");
    EXPECT_GE(ReadAll(client.get(), kMiB).first.size(), kMiB);
    client.reset();
    ASSERT_TRUE(Pump([&] { return Lines("event", "http-closed").size() == 2; }));
    const QJsonObject* closed = Last("http-closed");
    EXPECT_EQ(closed->value(QStringLiteral("reason")).toString(), QStringLiteral("peer-closed"));
    EXPECT_LT(closed->value(QStringLiteral("sent")).toInteger(), static_cast<qint64>(8 * kMiB));
}

TEST_F(HttpLoopback, EmptyModeAlwaysSaysNoItems)
{
    SimOptions options = Options();
    options.httpEmpty = true;
    ASSERT_NO_FATAL_FAILURE(Start(options, GenerateDevices(5, 0)));
    EXPECT_EQ(Get("/device.get?DeviceType=ALL").body, NoItemsPage());
    EXPECT_EQ(Get("/device.get?DeviceType=Orvane").body, NoItemsPage());
    // Requests that are not for the page are still refused as such.
    EXPECT_EQ(Get("/other").status, 404);
}

TEST_F(HttpLoopback, RefusesConnectionsPastItsLimit)
{
    SimOptions options = Options();
    options.httpHang = true; // so the accepted ones stay
    ASSERT_NO_FATAL_FAILURE(Start(options, GenerateDevices(1, 0)));
    std::vector<Discovery::SocketHandle> clients;
    for (int i = 0; i < 70; ++i)
        clients.push_back(Connect());
    Pump([&] { return Lines("event", "http-refused").size() >= 6; });
    EXPECT_EQ(Lines("event", "http-accepted").size(), HttpRelay::kMaxConnections);
    EXPECT_EQ(Lines("event", "http-refused").size(), 6u);
}

} // namespace
