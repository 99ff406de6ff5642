// SPDX-License-Identifier: MIT
#include "upnp/cancel_token.h"

#include <utility>

namespace Upnp {

void CancelToken::cancel()
{
    m_cancelled.store(true, std::memory_order_release);
    std::lock_guard lock(m_mutex);
    if (m_wake)
        m_wake();
}

void CancelToken::attach(std::function<void()> wake)
{
    std::lock_guard lock(m_mutex);
    m_wake = std::move(wake);
}

void CancelToken::detach()
{
    std::lock_guard lock(m_mutex);
    m_wake = nullptr;
}

} // namespace Upnp
