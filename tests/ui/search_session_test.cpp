// SPDX-License-Identifier: MIT
// The search session's hand-over to the UPnP results, without network: the
// devices answer on loopback and the UPnP search has no adapter.
#include "session/search_session.h"

#include "replies.h"
#include "loopback.h"
#include "offline_upnp.h"
#include "sim_devices.h"
#include "upnp/port_forward_engine.h"

#include <QCoreApplication>
#include <QTest>
#include <QThread>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using Discovery::SearchSession;
using TestSupport::Reply;
using namespace std::chrono_literals;

namespace {

// What the session reported, in order, and on which thread.
struct Trace {
    std::vector<std::string> seen;
    bool offThread = false;

    void Watch(SearchSession& session)
    {
        const auto note = [this](std::string what) {
            if (QThread::currentThread() != qApp->thread())
                offThread = true;
            seen.push_back(std::move(what));
        };
        QObject::connect(&session, &SearchSession::searching, [note] { note("searching"); });
        QObject::connect(&session, &SearchSession::upnpWaiting, [note] { note("upnpWaiting"); });
        QObject::connect(&session, &SearchSession::finished,
                         [note](int shown) { note("finished " + std::to_string(shown)); });
    }
};

class SearchSessionTest : public ::testing::Test {
protected:
    std::unique_ptr<SearchSession> Make(std::chrono::milliseconds upnpTime)
    {
        auto session = std::make_unique<SearchSession>(state, TestSupport::OfflineUpnp(upnpTime));
        session->setEndpoints(TestSupport::LoopbackEndpoints(devices.udpPort(), replyPort));
        trace.Watch(*session);
        return session;
    }

    Discovery::MemoryLog log{100};
    Discovery::DiscoveryState state{log};
    std::uint16_t replyPort = TestSupport::FreeLoopbackPort();
    TestSupport::SimDevices devices{{TestSupport::Device("A", "10.0.0.1", "00:00:00:00:00:01")}, replyPort};
    Trace trace;
};

} // namespace

TEST_F(SearchSessionTest, UpnpResultsEndTheRoundOnTheCallersThreadAfterTheWait)
{
    auto session = Make(300ms);
    ASSERT_TRUE(session->start({}, "ALL"));
    // The roads are done; the results come from the event loop, not before.
    EXPECT_EQ(trace.seen, (std::vector<std::string>{"searching", "upnpWaiting"}));
    EXPECT_TRUE(session->upnpPending());
    EXPECT_TRUE(session->upnpBusy());

    ASSERT_TRUE(QTest::qWaitFor([&] { return !session->upnpPending(); }, 10000));
    EXPECT_EQ(trace.seen, (std::vector<std::string>{"searching", "upnpWaiting", "finished 1"}));
    EXPECT_FALSE(trace.offThread);
    EXPECT_FALSE(session->upnpBusy());
    EXPECT_EQ(session->lastEnd(), SearchSession::End::UpnpRows);
}

TEST_F(SearchSessionTest, DestroyedDuringTheWaitReportsNothingMore)
{
    // Destroyed at once, and while the search waits; it would run for a minute.
    for (const auto pause : {0ms, 30ms}) {
        trace.seen.clear();
        auto session = Make(60s);
        ASSERT_TRUE(session->start({}, "ALL"));
        if (pause > 0ms)
            QTest::qWait(static_cast<int>(pause.count()));
        session.reset();
        QTest::qWait(20); // anything still queued must not run
        EXPECT_EQ(trace.seen, (std::vector<std::string>{"searching", "upnpWaiting"}));
    }
}
