// SPDX-License-Identifier: MIT
#pragma once

#include "upnp/cancel_token.h"
#include "upnp/manual_reset_event.h"
#include "upnp/search_options.h"
#include "upnp/upnp_device_info.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace Upnp {

// Looks for UPnP root devices on a worker thread of its own and keeps the
// AXIS and Vivotek cameras among them. One engine lives with the search session.
//
// A search is under way from StartSearch until the worker has handed its
// devices over and set the done event. The done event stays with the engine
// until the results are taken (closeDoneEvent), so "done event present"
// means "a search has started and its results have not been taken yet".
class UpnpSearchEngine {
    Q_DISABLE_COPY(UpnpSearchEngine)

public:
    explicit UpnpSearchEngine(UpnpSearchOptions options = {});
    // Cancels a running search and joins its worker.
    virtual ~UpnpSearchEngine();

    // `whenDone` runs on `window`'s thread, posted there once the worker has
    // set the done event and marked itself idle; never for a search that was
    // cancelled first. Refused (false, nothing changed) while a search runs
    // or when the window is gone or null.
    bool StartSearch(const QPointer<QObject>& window, std::function<void()> whenDone = {});

    // Stops a running search at once: the worker leaves its wait, ends and
    // is joined, its `whenDone` never runs and its done event is closed.
    // The devices of the last finished search stay.
    void cancel();

    // The devices of the last search, copied whole: a reader never sees a
    // list the worker is still filling.
    std::vector<UpnpDeviceInfo> devicesSnapshot() const;

    // The completion event of the current search; null when none exists.
    std::shared_ptr<ManualResetEvent> doneEvent() const;
    // The results have been taken: the engine lets go of the event.
    void closeDoneEvent();

    SearchStats lastStats() const;

private:
    void work(std::shared_ptr<CancelToken> cancel, std::shared_ptr<ManualResetEvent> done, QPointer<QObject> window,
              std::function<void()> whenDone, unsigned generation);

    const UpnpSearchOptions m_options;

    mutable std::mutex m_mutex;
    bool m_searching = false;
    std::shared_ptr<CancelToken> m_cancel; // the running search's
    unsigned m_generation = 0;             // bumped by every start and cancel
    std::vector<UpnpDeviceInfo> m_devices;
    std::shared_ptr<ManualResetEvent> m_doneEvent;
    SearchStats m_stats;

    // Started and joined only on the owner's thread.
    std::thread m_thread;
};

} // namespace Upnp
