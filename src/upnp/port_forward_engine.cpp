// SPDX-License-Identifier: MIT
#include "upnp/port_forward_engine.h"

#include "upnp/root_device_search.h"

#include <QMetaObject>

#include <system_error>
#include <utility>

namespace Upnp {

UpnpSearchEngine::UpnpSearchEngine(UpnpSearchOptions options) : m_options(std::move(options)) {}

// Stops a running search and waits for its worker, which ends at its next
// wake-up, so the worker never outlives the records it writes.
UpnpSearchEngine::~UpnpSearchEngine()
{
    m_cancel.cancel();
    if (m_thread.joinable())
        m_thread.join();
    std::lock_guard lock(m_mutex);
    m_doneEvent.reset();
}

// Starts a search on a worker thread for `window`. Refused (false, nothing
// changed) while a worker runs or when the window is gone or null.
bool UpnpSearchEngine::StartSearch(const QPointer<QObject>& window, std::function<void()> whenDone)
{
    if (window.isNull())
        return false;
    {
        std::lock_guard lock(m_mutex);
        if (m_searching)
            return false;
    }
    // The last worker has marked itself idle and is leaving: collect it.
    if (m_thread.joinable())
        m_thread.join();

    auto done = std::make_shared<ManualResetEvent>();
    {
        std::lock_guard lock(m_mutex);
        m_window = window;
        m_doneEvent = done;
        m_searching = true;
    }
    try {
        m_thread = std::thread(&UpnpSearchEngine::work, this, done, window.data(), std::move(whenDone));
    } catch (const std::system_error&) {
        std::lock_guard lock(m_mutex);
        m_doneEvent.reset();
        m_window = nullptr;
        m_searching = false;
        return false;
    }
    return true;
}

void UpnpSearchEngine::work(std::shared_ptr<ManualResetEvent> done, QObject* window, std::function<void()> whenDone)
{
    {
        std::lock_guard lock(m_mutex);
        m_devices.clear();
    }
    RootDeviceSearchResult result = SearchRootDevices(m_options, m_cancel);
    {
        std::lock_guard lock(m_mutex);
        m_devices = std::move(result.kept);
        m_stats = result.stats;
    }
    // Set on every path, so a waiting results routine always wakes.
    done->set();
    {
        std::lock_guard lock(m_mutex);
        m_searching = false;
        m_window = nullptr;
    }
    // Queued: the window takes the results on its own thread, and a press
    // it handles there finds the engine idle.
    if (whenDone)
        QMetaObject::invokeMethod(window, std::move(whenDone), Qt::QueuedConnection);
}

bool UpnpSearchEngine::isSearching() const
{
    std::lock_guard lock(m_mutex);
    return m_searching;
}

QObject* UpnpSearchEngine::window() const
{
    std::lock_guard lock(m_mutex);
    return m_window.data();
}

std::vector<UpnpDeviceInfo> UpnpSearchEngine::devicesSnapshot() const
{
    std::lock_guard lock(m_mutex);
    return m_devices;
}

std::size_t UpnpSearchEngine::deviceCount() const
{
    std::lock_guard lock(m_mutex);
    return m_devices.size();
}

std::optional<UpnpDeviceInfo> UpnpSearchEngine::deviceAt(std::size_t index) const
{
    std::lock_guard lock(m_mutex);
    if (index >= m_devices.size())
        return std::nullopt;
    return m_devices[index];
}

std::shared_ptr<ManualResetEvent> UpnpSearchEngine::doneEvent() const
{
    std::lock_guard lock(m_mutex);
    return m_doneEvent;
}

void UpnpSearchEngine::closeDoneEvent()
{
    std::lock_guard lock(m_mutex);
    m_doneEvent.reset();
}

SearchStats UpnpSearchEngine::lastStats() const
{
    std::lock_guard lock(m_mutex);
    return m_stats;
}

} // namespace Upnp
