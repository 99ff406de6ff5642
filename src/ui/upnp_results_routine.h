// SPDX-License-Identifier: MIT
#pragma once

#include "discovery/socket_handle.h"
#include "upnp/manual_reset_event.h"

#include <QtGlobal>

#include <functional>
#include <memory>
#include <thread>

class QSocketNotifier;

namespace Gui {

// The thread of the UPnP results routine. It waits for the engine's search
// to end and has the window's thread carry out every change, in order: each
// window step runs there while this thread waits for it to be done (a
// synchronous hand-over). The window's thread may be in a modal dialog or a
// blocking round meanwhile; a dialog's event loop runs the steps, a round
// only delays them.
//
// The hand-over rings a descriptor that the window's event loop watches, so
// it needs no Qt object shared between threads. The owner cancels and joins
// the routine before it goes: a cancelled routine runs no further step and
// leaves a hand-over at once. The wait on the engine's event is not cut
// short: the owner ends it by stopping the search (the engine sets the event
// on every path, a cancelled search too).
class UpnpResultsRoutine {
    Q_DISABLE_COPY(UpnpResultsRoutine)

public:
    using Step = std::function<void()>;
    struct HandOver;

    // Built on the window's thread, whose event loop runs the steps.
    UpnpResultsRoutine();
    ~UpnpResultsRoutine();

    // Window's thread. Runs `begin` there, then waits on this routine's own
    // thread for `done` (not at all when null), then runs `finish` there.
    // False, with nothing run, while an earlier routine is pending or when
    // no thread could be started.
    bool start(std::shared_ptr<Upnp::ManualResetEvent> done, Step begin, Step finish);

    // True from a start until `finish` has run or the routine was cancelled.
    // Read and changed on the window's thread only.
    bool pending() const { return m_pending; }

    // Window's thread: no step runs from now on.
    void cancel();
    // Waits for the routine's thread to end.
    void join();

private:
    void RunRequestedStep();

    // An eventfd; the descriptor handle closes it like any other.
    Discovery::SocketHandle m_wake;
    std::unique_ptr<QSocketNotifier> m_wakeNotifier;
    std::shared_ptr<HandOver> m_handOver;
    bool m_pending = false;
    std::thread m_thread;
};

} // namespace Gui
