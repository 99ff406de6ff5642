// SPDX-License-Identifier: MIT
#include "upnp/manual_reset_event.h"

namespace Upnp {

void ManualResetEvent::set()
{
    {
        std::lock_guard lock(m_mutex);
        m_set = true;
    }
    m_changed.notify_all();
}

bool ManualResetEvent::isSet() const
{
    std::lock_guard lock(m_mutex);
    return m_set;
}

void ManualResetEvent::wait() const
{
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return m_set; });
}

bool ManualResetEvent::waitFor(std::chrono::milliseconds timeout) const
{
    std::unique_lock lock(m_mutex);
    return m_changed.wait_for(lock, timeout, [this] { return m_set; });
}

} // namespace Upnp
