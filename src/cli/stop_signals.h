// SPDX-License-Identifier: MIT
#pragma once

#include "discovery/socket_handle.h"

#include <QSocketNotifier>

#include <functional>
#include <memory>

#include <signal.h>

namespace Cli {

// SIGINT and SIGTERM as a readable pipe for the life of this object: the
// handler, on whatever thread the kernel picks, only writes one byte; the
// event loop that whenSignalled() hooks does the stopping, so no line is
// ever cut in half. The handlers before are restored at the end.
class StopSignals {
public:
    StopSignals();
    ~StopSignals();
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

    bool valid() const { return m_installed; }
    // Runs `stop` on this thread's event loop when SIGINT or SIGTERM comes.
    void whenSignalled(std::function<void()> stop);

private:
    static void Handle(int);

    static inline volatile sig_atomic_t s_write = -1;
    Discovery::SocketHandle m_read;
    Discovery::SocketHandle m_write;
    struct sigaction m_oldInt {};
    struct sigaction m_oldTerm {};
    bool m_installed = false;
    std::unique_ptr<QSocketNotifier> m_notifier;
};

} // namespace Cli
