// SPDX-License-Identifier: MIT
#pragma once

#include "upnp/cancel_token.h"
#include "upnp/manual_reset_event.h"
#include "upnp/search_options.h"
#include "upnp/upnp_device_info.h"

#include <QObject>
#include <QPointer>

#include <cstddef>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace Upnp {

// Looks for UPnP root devices on a worker thread of its own and keeps the
// AXIS and Vivotek cameras among them. One engine lives with the main window.
//
// A search is under way from StartSearch until the worker has handed its
// devices over and set the done event. The done event stays with the engine
// until the results routine closes it, so "done event present" means "a
// search has started and its results have not been taken yet".
class UpnpSearchEngine {
    Q_DISABLE_COPY(UpnpSearchEngine)

public:
    explicit UpnpSearchEngine(UpnpSearchOptions options = {});
    virtual ~UpnpSearchEngine();

    // `whenDone` runs on the window's thread, posted there once the worker
    // has set the done event and marked itself idle. The window must outlive
    // the worker (it owns the engine, whose destructor joins it).
    bool StartSearch(const QPointer<QObject>& window, std::function<void()> whenDone = {});

    // True while a worker runs (the engine's `thread` is set).
    bool isSearching() const;
    // The window that started the running search; null when idle.
    QObject* window() const;

    // The devices of the last search, copied whole: a reader never sees a
    // list the worker is still filling.
    std::vector<UpnpDeviceInfo> devicesSnapshot() const;
    std::size_t deviceCount() const;
    std::optional<UpnpDeviceInfo> deviceAt(std::size_t index) const;

    // The completion event of the current search; null when none exists.
    std::shared_ptr<ManualResetEvent> doneEvent() const;
    // The results routine is done with the event: the engine lets go of it.
    void closeDoneEvent();

    SearchStats lastStats() const;
    const UpnpSearchOptions& options() const { return m_options; }

private:
    void work(std::shared_ptr<ManualResetEvent> done, QObject* window, std::function<void()> whenDone);

    const UpnpSearchOptions m_options;
    CancelToken m_cancel;

    mutable std::mutex m_mutex;
    bool m_searching = false;
    QPointer<QObject> m_window;
    std::vector<UpnpDeviceInfo> m_devices;
    std::shared_ptr<ManualResetEvent> m_doneEvent;
    SearchStats m_stats;

    // Started and joined only on the owner's thread.
    std::thread m_thread;
};

} // namespace Upnp
