// SPDX-License-Identifier: MIT
#pragma once

#include <QtGlobal>

#include <atomic>
#include <functional>
#include <mutex>

namespace Upnp {

// Lets the engine's owner stop a running search from another thread: the
// flag is raised and the search is woken, so the worker leaves its wait at
// once instead of at its next timer.
class CancelToken {
    Q_DISABLE_COPY(CancelToken)

public:
    CancelToken() = default;

    void cancel();
    bool isCancelled() const { return m_cancelled.load(std::memory_order_acquire); }

    // The running search says how to wake it, and takes that back before
    // whatever the wake-up touches goes away.
    void attach(std::function<void()> wake);
    void detach();

private:
    std::atomic<bool> m_cancelled{false};
    std::mutex m_mutex;
    std::function<void()> m_wake;
};

} // namespace Upnp
