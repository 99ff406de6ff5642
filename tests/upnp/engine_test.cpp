// SPDX-License-Identifier: MIT
// The engine without network: no interface (or one that does not exist), so
// no control point ever opens a socket.
#include "upnp/port_forward_engine.h"

#include <QObject>

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <memory>
#include <thread>

using namespace Upnp;
using namespace std::chrono_literals;

namespace {

// A search on no interface that ends as soon as its minimum allows.
UpnpSearchOptions Offline(Milliseconds minimum = Milliseconds(20))
{
    UpnpSearchOptions options;
    options.interfaces = std::vector<std::string>{};
    options.minimum = minimum;
    options.quiet = Milliseconds(10);
    options.maximum = minimum + Milliseconds(50);
    return options;
}

// A search that would run for a minute unless stopped.
UpnpSearchOptions Long()
{
    UpnpSearchOptions options = Offline(Milliseconds(60'000));
    options.maximum = Milliseconds(120'000);
    return options;
}

// Waits for an engine's worker to mark itself idle; a fault shows as a failure, not a hang.
bool BecomesIdle(const UpnpSearchEngine& engine)
{
    for (int i = 0; i < 1000 && engine.isSearching(); ++i)
        std::this_thread::sleep_for(10ms);
    return !engine.isSearching();
}

} // namespace

TEST(UpnpSearchEngine, StartsIdleAndEmpty)
{
    const UpnpSearchEngine engine(Offline());
    EXPECT_FALSE(engine.isSearching());
    EXPECT_EQ(engine.window(), nullptr);
    EXPECT_EQ(engine.doneEvent(), nullptr);
    EXPECT_EQ(engine.deviceCount(), 0u);
    EXPECT_FALSE(engine.deviceAt(0));
}

TEST(UpnpSearchEngine, RefusesAMissingOrDestroyedWindow)
{
    UpnpSearchEngine engine(Offline());
    EXPECT_FALSE(engine.StartSearch(nullptr));
    EXPECT_EQ(engine.doneEvent(), nullptr);

    QPointer<QObject> gone;
    {
        auto window = std::make_unique<QObject>();
        gone = window.get();
    }
    EXPECT_FALSE(engine.StartSearch(gone));
    EXPECT_EQ(engine.doneEvent(), nullptr);
    EXPECT_FALSE(engine.isSearching());
}

TEST(UpnpSearchEngine, SignalsTheEventWhenThereIsNoNetwork)
{
    for (const auto& interfaces : {std::vector<std::string>{}, std::vector<std::string>{"quendrel-none0"}}) {
        UpnpSearchOptions options = Offline();
        options.interfaces = interfaces;
        UpnpSearchEngine engine(options);
        QObject window;
        ASSERT_TRUE(engine.StartSearch(&window));
        const std::shared_ptr<ManualResetEvent> done = engine.doneEvent();
        ASSERT_NE(done, nullptr);
        ASSERT_TRUE(done->waitFor(10s));
        EXPECT_TRUE(engine.devicesSnapshot().empty());
        ASSERT_TRUE(BecomesIdle(engine));
        EXPECT_EQ(engine.window(), nullptr);
        // The event stays with the engine until the results routine closes it.
        EXPECT_EQ(engine.doneEvent(), done);
        EXPECT_EQ(engine.lastStats().interfaces, 0);
        EXPECT_EQ(engine.lastStats().answered, 0);
        EXPECT_EQ(engine.lastStats().end, SearchEnd::Quiet);
        engine.closeDoneEvent();
        EXPECT_EQ(engine.doneEvent(), nullptr);
    }
}

TEST(UpnpSearchEngine, SecondStartWhileSearchingIsRefusedAndLeavesTheEvent)
{
    UpnpSearchEngine engine(Long());
    QObject window;
    ASSERT_TRUE(engine.StartSearch(&window));
    const std::shared_ptr<ManualResetEvent> first = engine.doneEvent();
    EXPECT_TRUE(engine.isSearching());
    EXPECT_EQ(engine.window(), &window);

    QObject other;
    EXPECT_FALSE(engine.StartSearch(&other));
    EXPECT_EQ(engine.doneEvent(), first);
    EXPECT_FALSE(first->isSet());
    EXPECT_EQ(engine.window(), &window);
}

TEST(UpnpSearchEngine, ANewSearchReplacesTheEventOfTheLastOne)
{
    UpnpSearchEngine engine(Offline());
    QObject window;
    ASSERT_TRUE(engine.StartSearch(&window));
    const std::shared_ptr<ManualResetEvent> first = engine.doneEvent();
    ASSERT_TRUE(first->waitFor(10s));
    ASSERT_TRUE(BecomesIdle(engine));

    ASSERT_TRUE(engine.StartSearch(&window));
    const std::shared_ptr<ManualResetEvent> second = engine.doneEvent();
    EXPECT_NE(second, first);
    EXPECT_TRUE(first->isSet()); // a holder of the old event is not woken twice nor left hanging
    ASSERT_TRUE(second->waitFor(10s));
}

TEST(UpnpSearchEngine, DestroyingMidSearchStopsTheWorkerAndWakesTheWaiter)
{
    auto engine = std::make_unique<UpnpSearchEngine>(Long());
    QObject window;
    ASSERT_TRUE(engine->StartSearch(&window));
    const std::shared_ptr<ManualResetEvent> done = engine->doneEvent();
    // The results routine waits on its own thread, holding the event.
    auto waiter = std::async(std::launch::async, [done] { done->wait(); });
    std::this_thread::sleep_for(50ms); // the worker is inside its wait by now

    auto destroyed = std::async(std::launch::async, [&engine] { engine.reset(); });
    // A minute-long search must stop at once; anything near the minute is a hang.
    ASSERT_EQ(destroyed.wait_for(20s), std::future_status::ready) << "the engine did not stop its worker";
    ASSERT_EQ(waiter.wait_for(20s), std::future_status::ready) << "the waiter was never woken";
    EXPECT_TRUE(done->isSet());
}

TEST(UpnpSearchEngine, DestroyingRightAfterTheStartIsSafe)
{
    // No pause: the worker may not even have reached its loop.
    for (int i = 0; i < 20; ++i) {
        UpnpSearchEngine engine(Long());
        QObject window;
        ASSERT_TRUE(engine.StartSearch(&window));
    }
}

TEST(UpnpSearchEngine, AWindowGoneDuringTheSearchReadsAsNull)
{
    UpnpSearchEngine engine(Long());
    auto window = std::make_unique<QObject>();
    ASSERT_TRUE(engine.StartSearch(window.get()));
    window.reset();
    EXPECT_EQ(engine.window(), nullptr);
    EXPECT_TRUE(engine.isSearching());
}
