// SPDX-License-Identifier: MIT
// The results routine's thread and its hand-over to the window's thread,
// with an event the test sets itself.
#include "ui/upnp_results_routine.h"

#include <QObject>
#include <QTest>
#include <QThread>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using Gui::UpnpResultsRoutine;
using Upnp::ManualResetEvent;

namespace {

struct Trace {
    std::vector<std::string> steps;
    bool offThread = false;

    UpnpResultsRoutine::Step record(const char* name)
    {
        return [this, name] {
            if (QThread::currentThread() != qApp->thread())
                offThread = true;
            steps.emplace_back(name);
        };
    }
};

} // namespace

TEST(UpnpResultsRoutine, StepsRunOnTheWindowsThreadAroundTheWait)
{
    UpnpResultsRoutine routine;
    Trace trace;
    auto done = std::make_shared<ManualResetEvent>();
    ASSERT_TRUE(routine.start(done, trace.record("begin"), trace.record("finish")));
    EXPECT_TRUE(routine.pending());

    // The first step comes through; the second waits for the event.
    ASSERT_TRUE(QTest::qWaitFor([&] { return trace.steps.size() == 1; }, 5000));
    QTest::qWait(50);
    EXPECT_EQ(trace.steps, (std::vector<std::string>{"begin"}));
    EXPECT_TRUE(routine.pending());

    done->set();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !routine.pending(); }, 5000));
    EXPECT_EQ(trace.steps, (std::vector<std::string>{"begin", "finish"}));
    EXPECT_FALSE(trace.offThread);
}

TEST(UpnpResultsRoutine, WithoutAnEventItDoesNotWait)
{
    UpnpResultsRoutine routine;
    Trace trace;
    ASSERT_TRUE(routine.start(nullptr, trace.record("begin"), trace.record("finish")));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !routine.pending(); }, 5000));
    EXPECT_EQ(trace.steps, (std::vector<std::string>{"begin", "finish"}));
}

TEST(UpnpResultsRoutine, OneRoutineAtATime)
{
    UpnpResultsRoutine routine;
    Trace trace;
    auto done = std::make_shared<ManualResetEvent>();
    ASSERT_TRUE(routine.start(done, trace.record("begin"), trace.record("finish")));
    EXPECT_FALSE(routine.start(nullptr, trace.record("second begin"), trace.record("second finish")));
    done->set();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !routine.pending(); }, 5000));

    // Once the first is done, the next one starts.
    ASSERT_TRUE(routine.start(nullptr, trace.record("next begin"), trace.record("next finish")));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !routine.pending(); }, 5000));
    EXPECT_EQ(trace.steps, (std::vector<std::string>{"begin", "finish", "next begin", "next finish"}));
}

TEST(UpnpResultsRoutine, CancelledRoutineRunsNoMoreSteps)
{
    // Cancelled before its first step came through, and while it waits.
    for (const bool letFirstStepRun : {false, true}) {
        Trace trace;
        auto done = std::make_shared<ManualResetEvent>();
        {
            UpnpResultsRoutine routine;
            ASSERT_TRUE(routine.start(done, trace.record("begin"), trace.record("finish")));
            if (letFirstStepRun) {
                ASSERT_TRUE(QTest::qWaitFor([&] { return trace.steps.size() == 1; }, 5000));
            }
            routine.cancel();
            EXPECT_FALSE(routine.pending());
            // The owner stops the search, which sets the event; then the thread ends.
            done->set();
            routine.join();
        }
        QTest::qWait(30); // anything still queued must not run a step
        EXPECT_EQ(trace.steps.size(), letFirstStepRun ? 1u : 0u);
    }
}

TEST(UpnpResultsRoutine, CancelReleasesAThreadWaitingForTheWindow)
{
    // The window's thread never returns to its event loop before it cancels:
    // the routine's thread must not stay blocked in its hand-over.
    Trace trace;
    UpnpResultsRoutine routine;
    ASSERT_TRUE(routine.start(nullptr, trace.record("begin"), trace.record("finish")));
    QThread::msleep(50);
    routine.cancel();
    routine.join();
    QCoreApplication::processEvents();
    EXPECT_TRUE(trace.steps.empty());
}
