// SPDX-License-Identifier: MIT
// The relay page fetch against a small HTTP server on loopback.
#include "discovery/relay_page_fetch.h"
#include "discovery/socket_handle.h"

#include <gtest/gtest.h>

#include <QEventLoop>
#include <QTimer>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>

using namespace Discovery;
using namespace std::chrono_literals;

namespace {

// Answers one request with `response` (or never, when it is empty) and
// remembers the request line.
class OneShotHttpServer {
public:
    explicit OneShotHttpServer(std::string response) : m_response(std::move(response)),
                                                       m_listener(socket(AF_INET, SOCK_STREAM, 0))
    {
        const int on = 1;
        setsockopt(m_listener.get(), SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        bind(m_listener.get(), reinterpret_cast<sockaddr*>(&a), sizeof a);
        listen(m_listener.get(), 2);
        socklen_t len = sizeof a;
        getsockname(m_listener.get(), reinterpret_cast<sockaddr*>(&a), &len);
        port = ntohs(a.sin_port);
        m_thread = std::thread([this] { serve(); });
    }
    ~OneShotHttpServer()
    {
        m_stop = true;
        m_thread.join();
    }
    std::string requestLine;
    std::uint16_t port = 0;

private:
    void serve()
    {
        pollfd p{m_listener.get(), POLLIN, 0};
        while (!m_stop && poll(&p, 1, 20) <= 0) {}
        if (m_stop)
            return;
        SocketHandle peer(accept(m_listener.get(), nullptr, nullptr));
        std::string request;
        char buffer[4096];
        while (request.find("\r\n\r\n") == std::string::npos) {
            const ssize_t n = recv(peer.get(), buffer, sizeof buffer, 0);
            if (n <= 0)
                return;
            request.append(buffer, static_cast<std::size_t>(n));
        }
        requestLine = request.substr(0, request.find("\r\n"));
        if (m_response.empty()) {
            while (!m_stop)
                std::this_thread::sleep_for(10ms);
            return;
        }
        std::size_t sent = 0;
        while (sent < m_response.size() && !m_stop) {
            const ssize_t n = send(peer.get(), m_response.data() + sent, m_response.size() - sent, MSG_NOSIGNAL);
            if (n <= 0)
                return;
            sent += static_cast<std::size_t>(n);
        }
    }
    std::string m_response;
    SocketHandle m_listener;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

std::string Http(const std::string& body)
{
    return "HTTP/1.0 200 OK\r\nContent-Type: text/html\r\nContent-Length: " + std::to_string(body.size()) +
           "\r\n\r\n" + body;
}

// The fetch run on this thread's event loop to its end. start() never
// waits: done() always comes from the loop.
std::vector<std::string> FetchRelayPage(const std::string& url, std::chrono::milliseconds wait)
{
    Discovery::RelayPageFetch fetch(wait);
    bool done = false;
    QEventLoop loop;
    QObject::connect(&fetch, &Discovery::RelayPageFetch::done, &loop, [&] {
        done = true;
        loop.quit();
    });
    fetch.start(url);
    EXPECT_FALSE(done);
    loop.exec();
    return fetch.lines();
}

using PageFetch = ::testing::Test;

} // namespace

TEST_F(PageFetch, AsksForThePathAndSplitsThePage)
{
    OneShotHttpServer server(Http("<table>\r\n<tr><td>a</td></tr>\r\n</table>\r\n"));
    const std::string host = "127.0.0.1:" + std::to_string(server.port);
    const auto lines = FetchRelayPage("http://" + host + "/device.get?DeviceType=ALL", 5s);
    EXPECT_EQ(server.requestLine, "GET /device.get?DeviceType=ALL HTTP/1.1");
    EXPECT_EQ(lines, (std::vector<std::string>{"<table>", "<tr><td>a</td></tr>", "</table>"}));
}

TEST_F(PageFetch, KeepsOnlyTheFirstMebibyte)
{
    std::string body;
    while (body.size() < 3 * kRelayPageLimit)
        body += "<tr><td>m</td><td>p</td></tr>\n";
    OneShotHttpServer server(Http(body));
    const auto lines = FetchRelayPage("http://127.0.0.1:" + std::to_string(server.port) + "/x", 10s);
    std::size_t bytes = 0;
    for (const auto& l : lines)
        bytes += l.size() + 1;
    EXPECT_LE(bytes, kRelayPageLimit + 1);
    EXPECT_GE(bytes, kRelayPageLimit - 64);
}

TEST_F(PageFetch, SilentRelayCostsTheWaitWhileEventsRun)
{
    OneShotHttpServer server(""); // accepts, never answers
    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] { ++ticks; });
    timer.start(20);
    const auto start = std::chrono::steady_clock::now();
    const auto lines = FetchRelayPage("http://127.0.0.1:" + std::to_string(server.port) + "/x", 400ms);
    const auto took = std::chrono::steady_clock::now() - start;
    EXPECT_TRUE(lines.empty());
    EXPECT_GE(took, 390ms);
    EXPECT_GT(ticks, 3); // the event loop kept running during the wait
}

TEST_F(PageFetch, AnErrorPageANoItemsPageAndBadUrlsGiveNothing)
{
    OneShotHttpServer error("HTTP/1.0 404 Not Found\r\nContent-Type: text/html\r\n\r\n"
                            "<html>\n<head><title>404</title></head>\n<body>\n<h1>Not Found</h1>\n"
                            "<p>nothing here</p>\n</body>\n</html>\n");
    EXPECT_TRUE(FetchRelayPage("http://127.0.0.1:" + std::to_string(error.port) + "/x", 5s).empty());
    OneShotHttpServer empty(Http("<html>\n<body>No available items</body>\n</html>\n"));
    EXPECT_TRUE(FetchRelayPage("http://127.0.0.1:" + std::to_string(empty.port) + "/x", 5s).empty());
    EXPECT_TRUE(FetchRelayPage("http:///device.get?DeviceType=ALL", 1s).empty());
    EXPECT_TRUE(FetchRelayPage("http://127.0.0.1:1/x", 2s).empty()); // refused
}
