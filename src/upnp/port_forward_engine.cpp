// SPDX-License-Identifier: MIT
#include "upnp/port_forward_engine.h"

#include "upnp/root_device_search.h"

#include <QMetaObject>

#include <system_error>
#include <utility>

namespace Upnp {

UpnpSearchEngine::UpnpSearchEngine(UpnpSearchOptions options) : m_options(std::move(options)) {}

// The worker never outlives the records it writes.
UpnpSearchEngine::~UpnpSearchEngine()
{
    cancel();
}

bool UpnpSearchEngine::StartSearch(const QPointer<QObject>& window, std::function<void()> whenDone)
{
    if (window.isNull())
        return false;
    {
        std::lock_guard lock(m_mutex);
        // A worker whose search is done is only leaving: it is collected below.
        if (m_searching && !(m_doneEvent && m_doneEvent->isSet()))
            return false;
    }
    if (m_thread.joinable())
        m_thread.join();

    auto done = std::make_shared<ManualResetEvent>();
    auto token = std::make_shared<CancelToken>();
    unsigned generation = 0;
    {
        std::lock_guard lock(m_mutex);
        m_doneEvent = done;
        m_cancel = token;
        m_searching = true;
        generation = ++m_generation;
    }
    try {
        m_thread = std::thread(&UpnpSearchEngine::work, this, token, done, window, std::move(whenDone), generation);
    } catch (const std::system_error&) {
        std::lock_guard lock(m_mutex);
        m_doneEvent.reset();
        m_cancel.reset();
        m_searching = false;
        return false;
    }
    return true;
}

void UpnpSearchEngine::cancel()
{
    std::shared_ptr<CancelToken> token;
    {
        std::lock_guard lock(m_mutex);
        token = m_cancel;
        ++m_generation; // a completion already posted finds itself stale
    }
    if (token)
        token->cancel();
    if (m_thread.joinable())
        m_thread.join();
    std::lock_guard lock(m_mutex);
    m_doneEvent.reset();
    m_cancel.reset();
}

void UpnpSearchEngine::work(std::shared_ptr<CancelToken> cancel, std::shared_ptr<ManualResetEvent> done,
                            QPointer<QObject> window, std::function<void()> whenDone, unsigned generation)
{
    RootDeviceSearchResult result = SearchRootDevices(m_options, *cancel);
    {
        std::lock_guard lock(m_mutex);
        // A cancelled search's partial list never replaces the last whole one.
        if (!cancel->isCancelled()) {
            m_devices = std::move(result.kept);
            m_stats = result.stats;
        }
    }
    // Idle before the event is set: whoever wakes on it may start the next
    // search at once. Set on every path, so anyone waiting on it always wakes.
    {
        std::lock_guard lock(m_mutex);
        m_searching = false;
    }
    done->set();
    // Queued: the owner takes the results on its own thread, and a press it
    // handles there finds the engine idle.
    if (whenDone && window && !cancel->isCancelled()) {
        QMetaObject::invokeMethod(
            window.data(),
            [this, generation, whenDone = std::move(whenDone)] {
                bool current = false;
                {
                    std::lock_guard lock(m_mutex);
                    current = generation == m_generation;
                }
                if (current)
                    whenDone();
            },
            Qt::QueuedConnection);
    }
}

std::vector<UpnpDeviceInfo> UpnpSearchEngine::devicesSnapshot() const
{
    std::lock_guard lock(m_mutex);
    return m_devices;
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
