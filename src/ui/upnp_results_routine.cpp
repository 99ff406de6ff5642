// SPDX-License-Identifier: MIT
#include "ui/upnp_results_routine.h"

#include <QSocketNotifier>

#include <sys/eventfd.h>
#include <unistd.h>

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <system_error>
#include <utility>

namespace Gui {

// What one routine's thread and the window's thread share.
struct UpnpResultsRoutine::HandOver {
    explicit HandOver(int wakeFd) : wake(wakeFd) {}

    const int wake; // open until the routine's thread has been joined
    std::mutex mutex;
    std::condition_variable changed;
    bool cancelled = false;
    int requested = 0; // number of the step the window's thread is to run
    Step step;
    int stepsDone = 0;

    // Routine's thread: has step `number` run on the window's thread and
    // waits until it has; false when the routine was cancelled instead.
    bool run(int number, Step what)
    {
        {
            std::lock_guard lock(mutex);
            if (cancelled)
                return false;
            requested = number;
            step = std::move(what);
        }
        const std::uint64_t one = 1;
        if (::write(wake, &one, sizeof one) != static_cast<ssize_t>(sizeof one))
            return false;
        std::unique_lock lock(mutex);
        changed.wait(lock, [&] { return cancelled || stepsDone >= number; });
        return !cancelled;
    }
};

UpnpResultsRoutine::UpnpResultsRoutine() : m_wake(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK))
{
    if (!m_wake.valid())
        return;
    m_wakeNotifier = std::make_unique<QSocketNotifier>(m_wake.get(), QSocketNotifier::Read);
    QObject::connect(m_wakeNotifier.get(), &QSocketNotifier::activated, [this] { RunRequestedStep(); });
}

UpnpResultsRoutine::~UpnpResultsRoutine()
{
    cancel();
    join();
    // The notifier goes before the descriptor it watches.
    m_wakeNotifier.reset();
}

bool UpnpResultsRoutine::start(std::shared_ptr<Upnp::ManualResetEvent> done, Step begin, Step finish)
{
    if (m_pending || !m_wakeNotifier)
        return false;
    // The last routine has run its last step and is leaving: collect it.
    join();

    auto shared = std::make_shared<HandOver>(m_wake.get());
    // `finish` ends the pending state on the window's thread, so a new round
    // can only start once the last one's rows are in.
    Step last = [this, finish = std::move(finish)] {
        m_pending = false;
        finish();
    };
    try {
        m_thread = std::thread([shared, done = std::move(done), begin = std::move(begin), last = std::move(last)] {
            if (!shared->run(1, begin))
                return;
            if (done)
                done->wait();
            shared->run(2, last);
        });
    } catch (const std::system_error&) {
        return false;
    }
    m_handOver = std::move(shared);
    m_pending = true;
    return true;
}

void UpnpResultsRoutine::RunRequestedStep()
{
    std::uint64_t rings = 0;
    // Clears the count; a ring without a request left is harmless.
    [[maybe_unused]] const ssize_t n = ::read(m_wake.get(), &rings, sizeof rings);
    if (!m_handOver)
        return;
    HandOver& shared = *m_handOver;
    Step step;
    int number = 0;
    {
        std::lock_guard lock(shared.mutex);
        if (shared.cancelled || shared.requested <= shared.stepsDone)
            return;
        number = shared.requested;
        step = std::move(shared.step);
    }
    // Cancelling happens on this same thread, so it cannot come in while
    // the step runs.
    step();
    {
        std::lock_guard lock(shared.mutex);
        shared.stepsDone = number;
    }
    shared.changed.notify_all();
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
