// SPDX-License-Identifier: MIT
#include "ui/upnp_results_routine.h"

#include <QMetaObject>
#include <QObject>

#include <condition_variable>
#include <mutex>
#include <system_error>
#include <utility>

namespace Gui {

// What one routine's thread and the window's thread share.
struct UpnpResultsRoutine::HandOver {
    std::mutex mutex;
    std::condition_variable changed;
    bool cancelled = false;
    int stepsDone = 0;
};

UpnpResultsRoutine::UpnpResultsRoutine(QObject* window) : m_window(window) {}

UpnpResultsRoutine::~UpnpResultsRoutine()
{
    cancel();
    join();
}

bool UpnpResultsRoutine::start(std::shared_ptr<Upnp::ManualResetEvent> done, Step begin, Step finish)
{
    if (m_pending)
        return false;
    // The last routine has run its last step and is leaving: collect it.
    join();

    auto shared = std::make_shared<HandOver>();
    // Runs `step` as step number `number` on the window's thread and waits
    // until it has; false when the routine was cancelled instead.
    auto handOver = [window = m_window](const std::shared_ptr<HandOver>& state, int number, const Step& step) {
        {
            std::lock_guard lock(state->mutex);
            if (state->cancelled)
                return false;
        }
        QMetaObject::invokeMethod(
            window,
            [state, number, step] {
                {
                    std::lock_guard lock(state->mutex);
                    if (state->cancelled)
                        return;
                }
                // Cancelling happens on this same thread, so it cannot
                // come in while the step runs.
                step();
                {
                    std::lock_guard lock(state->mutex);
                    state->stepsDone = number;
                }
                state->changed.notify_all();
            },
            Qt::QueuedConnection);
        std::unique_lock lock(state->mutex);
        state->changed.wait(lock, [&] { return state->cancelled || state->stepsDone >= number; });
        return !state->cancelled;
    };

    // `finish` ends the routine's pending state on the window's thread, so a
    // new round can only start once the last one's rows are in.
    Step last = [this, finish = std::move(finish)] {
        m_pending = false;
        finish();
    };
    try {
        m_thread = std::thread([shared, handOver, done = std::move(done), begin = std::move(begin),
                                last = std::move(last)] {
            if (!handOver(shared, 1, begin))
                return;
            if (done)
                done->wait();
            handOver(shared, 2, last);
        });
    } catch (const std::system_error&) {
        return false;
    }
    m_handOver = std::move(shared);
    m_pending = true;
    return true;
}

void UpnpResultsRoutine::cancel()
{
    m_pending = false;
    if (!m_handOver)
        return;
    {
        std::lock_guard lock(m_handOver->mutex);
        m_handOver->cancelled = true;
    }
    m_handOver->changed.notify_all();
}

void UpnpResultsRoutine::join()
{
    if (m_thread.joinable())
        m_thread.join();
}

} // namespace Gui
