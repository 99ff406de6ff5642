// SPDX-License-Identifier: MIT
// The search session's order and its hand-over to the UPnP results, without
// network: the devices answer on loopback and the UPnP search has no adapter.
#include "session/search_session.h"

#include "loopback.h"
#include "offline_upnp.h"
#include "replies.h"
#include "round_runner.h"
#include "sim_devices.h"

#include <QCoreApplication>
#include <QTest>
#include <QThread>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using Discovery::SearchSession;
using namespace std::chrono_literals;

namespace {

class SearchSessionTest : public ::testing::Test {
protected:
    std::unique_ptr<SearchSession> Make(std::chrono::milliseconds upnpTime)
    {
        auto session = std::make_unique<SearchSession>(state, TestSupport::OfflineUpnp(upnpTime));
        session->setEndpoints(TestSupport::LoopbackEndpoints(devices.udpPort(), replyPort));
        return session;
    }

    Discovery::MemoryLog log{100};
    Discovery::DiscoveryState state{log};
    std::uint16_t replyPort = TestSupport::FreeLoopbackPort();
    TestSupport::SimDevices devices{{TestSupport::Device("A", "10.0.0.1", "00:00:00:00:00:01")}, replyPort};
};

} // namespace

TEST_F(SearchSessionTest, StartReturnsAtOnceAndTheUpnpResultsEndTheRound)
{
    // A round of a previous search is emptied by the next.
    state.devices.push_back(Discovery::DeviceInfo{});
    state.grid.setGridRowCount(5);
    auto session = Make(300ms);
    std::vector<std::string> seen;
    bool offThread = false;
    QObject::connect(session.get(), &SearchSession::searching, [&] { seen.push_back("searching"); });
    QObject::connect(session.get(), &SearchSession::upnpWaiting, [&] { seen.push_back("upnpWaiting"); });
    QObject::connect(session.get(), &SearchSession::finished, [&](int shown) {
        offThread = offThread || QThread::currentThread() != qApp->thread();
        seen.push_back("finished " + std::to_string(shown));
    });
    // Letter case is ignored for UPnP, not by the grid's filter.
    ASSERT_TRUE(session->start({}, "all"));
    EXPECT_EQ(seen, (std::vector<std::string>{"searching"}));
    EXPECT_TRUE(state.devices.empty());
    EXPECT_TRUE(session->upnpBusy());
    EXPECT_FALSE(session->start({}, "ALL")); // refused while it runs
    EXPECT_TRUE(log.contains("Search refused: a round is already running\n"));

    ASSERT_TRUE(QTest::qWaitFor([&] { return session->state() == SearchSession::State::Idle; }, 10000));
    EXPECT_EQ(seen, (std::vector<std::string>{"searching", "upnpWaiting", "finished 0"}));
    EXPECT_EQ(state.devices.size(), 1u); // listed, but not of project "all"
    EXPECT_FALSE(offThread);
    EXPECT_FALSE(session->upnpBusy());
    EXPECT_EQ(session->lastEnd(), SearchSession::End::UpnpRows);
}

TEST_F(SearchSessionTest, AProjectFilterStartsNoUpnpSearchAndTheRoundClosesItself)
{
    auto session = Make(60s);
    const TestSupport::RoundSeen r = TestSupport::RunRound(*session, state, {}, "Mirkla", 10s);
    EXPECT_TRUE(r.ended);
    EXPECT_EQ(r.end, SearchSession::End::ClosedItself);
    EXPECT_EQ(r.shown, 0); // the device is listed, but not of that project
    EXPECT_EQ(state.devices.size(), 1u);
    EXPECT_EQ(state.grid.gridRowCount(), 2); // one blank row under the header
    EXPECT_FALSE(session->upnpBusy());
}

TEST_F(SearchSessionTest, CancelledOrDestroyedAnyTimeReportsNothingMore)
{
    // Cancelled during the road and during the UPnP wait; destroyed at once.
    for (const auto stop : {SearchSession::State::Searching, SearchSession::State::WaitingForUpnp}) {
        auto session = Make(60s); // the UPnP search would run for a minute
        int finished = 0;
        QObject::connect(session.get(), &SearchSession::finished, [&] { ++finished; });
        ASSERT_TRUE(session->start({}, "ALL"));
        ASSERT_TRUE(QTest::qWaitFor([&] { return session->state() == stop; }, 10000));
        session->cancel();
        EXPECT_FALSE(session->upnpBusy()); // the window may close now
        // The next round starts and ends on its own.
        const TestSupport::RoundSeen r = TestSupport::RunRound(*session, state, {}, "Orvane", 10s);
        EXPECT_TRUE(r.ended);
        EXPECT_EQ(finished, 1);
    }
    auto session = Make(60s);
    int reported = 0;
    QObject::connect(session.get(), &SearchSession::finished, [&] { ++reported; });
    ASSERT_TRUE(session->start({}, "ALL"));
    session.reset();
    QCoreApplication::processEvents();
    EXPECT_EQ(reported, 0);
}
