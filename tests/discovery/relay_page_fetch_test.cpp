// SPDX-License-Identifier: MIT
// The relay page fetch against the simulator's relay page on loopback.
#include "discovery/relay_page_fetch.h"
#include "sim_devices.h"

#include <gtest/gtest.h>

#include <QEventLoop>
#include <QTimer>

#include <chrono>
#include <string>

using namespace Discovery;
using namespace std::chrono_literals;
using TestSupport::SimDevices;

namespace {

// The fetch run on this thread's event loop to its end. start() never
// waits: done() always comes from the loop.
std::vector<std::string> Fetch(const std::string& url, std::chrono::milliseconds wait)
{
    RelayPageFetch fetch(wait);
    bool done = false;
    QEventLoop loop;
    QObject::connect(&fetch, &RelayPageFetch::done, &loop, [&] {
        done = true;
        loop.quit();
    });
    fetch.start(url);
    EXPECT_FALSE(done);
    loop.exec();
    return fetch.lines();
}

// A relay page on loopback, set up by `options`.
struct Relay {
    explicit Relay(void (*set)(Sim::SimOptions&) = nullptr)
    {
        Sim::SimOptions options = TestSupport::LoopbackSimOptions(TestSupport::FreeLoopbackPort());
        options.httpPort = 0;
        if (set)
            set(options);
        devices = std::make_unique<SimDevices>(std::vector<DeviceInfo>{TestSupport::Device("A", "10.0.0.1", "00:00:00:00:00:01")},
                                               options);
    }
    std::string Url(const std::string& path = "/device.get?DeviceType=ALL") const
    {
        return "http://127.0.0.1:" + std::to_string(devices->httpPort()) + path;
    }
    std::unique_ptr<SimDevices> devices;
};

} // namespace

TEST(PageFetch, TakesTheRelaysPageAsLines)
{
    Relay relay;
    const std::vector<std::string> lines = Fetch(relay.Url(), 5s);
    ASSERT_FALSE(lines.empty());
    EXPECT_NE(std::find_if(lines.begin(), lines.end(),
                           [](const std::string& l) { return l.find("<td>10.0.0.1</td>") != std::string::npos; }),
              lines.end());
}

TEST(PageFetch, KeepsOnlyTheFirstMebibyte)
{
    Relay relay([](Sim::SimOptions& o) { o.httpBigMiB = 3; });
    std::size_t bytes = 0;
    for (const auto& l : Fetch(relay.Url(), 10s))
        bytes += l.size() + 1;
    EXPECT_LE(bytes, kRelayPageLimit + 1);
    EXPECT_GE(bytes, kRelayPageLimit - 256);
}

// Without a nested event loop the page still keeps its bound, and the
// caller's events run while it waits.
TEST(PageFetch, SilentRelayCostsTheWaitWhileEventsRun)
{
    Relay relay([](Sim::SimOptions& o) { o.httpHang = true; });
    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] { ++ticks; });
    timer.start(20);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(Fetch(relay.Url(), 400ms).empty());
    EXPECT_GE(std::chrono::steady_clock::now() - start, 390ms);
    EXPECT_GT(ticks, 3);
}

TEST(PageFetch, AnErrorPageANoItemsPageAndBadUrlsGiveNothing)
{
    Relay relay;
    EXPECT_TRUE(Fetch(relay.Url("/elsewhere"), 5s).empty()); // 404
    Relay empty([](Sim::SimOptions& o) { o.httpEmpty = true; });
    EXPECT_TRUE(Fetch(empty.Url(), 5s).empty());
    EXPECT_TRUE(Fetch("http:///device.get?DeviceType=ALL", 1s).empty());
    EXPECT_TRUE(Fetch("http://127.0.0.1:1/x", 2s).empty()); // refused
}
