// SPDX-License-Identifier: MIT
// The engine without network: no interface (or one that does not exist), so
// no control point ever opens a socket.
#include "upnp/port_forward_engine.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QObject>
#include <QTimer>

#include <gtest/gtest.h>

#include <chrono>
#include <memory>

using namespace Upnp;
using namespace std::chrono_literals;

namespace {

// A search on no interface that ends as soon as its minimum allows.
UpnpSearchOptions Offline(Milliseconds minimum = Milliseconds(20))
{
    UpnpSearchOptions options;
    options.interfaces = std::vector<std::string>{};
    options.minimum = minimum;
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

// Runs a search on this thread's event loop until its completion comes
// back here, when the engine is idle again; false if it never does.
bool SearchToEnd(UpnpSearchEngine& engine, QObject& window)
{
    QEventLoop loop;
    bool done = false;
    if (!engine.StartSearch(&window, [&] {
            done = true;
            loop.quit();
        }))
        return false;
    QTimer::singleShot(20s, &loop, &QEventLoop::quit);
    loop.exec();
    return done;
}

} // namespace

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
}

TEST(UpnpSearchEngine, SignalsTheEventWhenThereIsNoNetwork)
{
    for (const auto& interfaces : {std::vector<std::string>{}, std::vector<std::string>{"quendrel-none0"}}) {
        UpnpSearchOptions options = Offline();
        options.interfaces = interfaces;
        UpnpSearchEngine engine(options);
        QObject window;
        ASSERT_TRUE(SearchToEnd(engine, window));
        const std::shared_ptr<ManualResetEvent> done = engine.doneEvent();
        ASSERT_NE(done, nullptr);
        EXPECT_TRUE(done->isSet());
        EXPECT_TRUE(engine.devicesSnapshot().empty());
        // The event stays with the engine until the results are taken.
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

    QObject other;
    EXPECT_FALSE(engine.StartSearch(&other));
    EXPECT_EQ(engine.doneEvent(), first);
    EXPECT_FALSE(first->isSet());
}

TEST(UpnpSearchEngine, ANewSearchReplacesTheEventOfTheLastOne)
{
    UpnpSearchEngine engine(Offline());
    QObject window;
    ASSERT_TRUE(SearchToEnd(engine, window));
    const std::shared_ptr<ManualResetEvent> first = engine.doneEvent();

    ASSERT_TRUE(engine.StartSearch(&window));
    const std::shared_ptr<ManualResetEvent> second = engine.doneEvent();
    EXPECT_NE(second, first);
    EXPECT_TRUE(first->isSet()); // a holder of the old event is not woken twice nor left hanging
    ASSERT_TRUE(second->waitFor(10s));
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

TEST(UpnpSearchEngine, CancelStopsTheSearchAtOnceAndItsCompletionNeverComes)
{
    UpnpSearchEngine engine(Long());
    QObject window;
    bool completed = false;
    ASSERT_TRUE(engine.StartSearch(&window, [&] { completed = true; }));
    const std::shared_ptr<ManualResetEvent> done = engine.doneEvent();
    engine.cancel(); // a minute-long search: returning at all means it stopped
    EXPECT_TRUE(done->isSet()); // whoever held it is woken
    EXPECT_EQ(engine.doneEvent(), nullptr); // the window may close
    QCoreApplication::processEvents();
    EXPECT_FALSE(completed);
    // The engine is free for the next search, whose completion does come.
    UpnpSearchEngine next(Offline());
    ASSERT_TRUE(SearchToEnd(next, window));
    ASSERT_TRUE(engine.StartSearch(&window));
}
