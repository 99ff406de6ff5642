// SPDX-License-Identifier: MIT
#pragma once

#include <QtGlobal>

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace Upnp {

// A manual-reset event private to this process: once set it stays set and
// releases every waiter, present and future. The search engine creates one per
// search and holds it by shared_ptr, so a waiter keeps the event it waits on
// alive even after the engine has let go of it.
class ManualResetEvent {
    Q_DISABLE_COPY(ManualResetEvent)

public:
    ManualResetEvent() = default;

    void set();
    bool isSet() const;
    // Blocks until the event is set.
    void wait() const;
    // Blocks until the event is set or `timeout` has passed; true when set.
    bool waitFor(std::chrono::milliseconds timeout) const;

private:
    mutable std::mutex m_mutex;
    mutable std::condition_variable m_changed;
    bool m_set = false;
};

} // namespace Upnp
