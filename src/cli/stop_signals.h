// SPDX-License-Identifier: MIT
#pragma once

#include "discovery/socket_handle.h"

#include <signal.h>

namespace Cli {

// SIGINT and SIGTERM as a readable pipe for the life of this object: the
// handler, on whatever thread the kernel picks, only writes one byte; the
// event loop watching fd() does the stopping, so no line is ever cut in
// half. The handlers before are restored at the end.
class StopSignals {
public:
    StopSignals();
    ~StopSignals();
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

    bool valid() const { return m_installed; }
    int fd() const { return m_read.get(); }

private:
    static void Handle(int);

    static inline volatile sig_atomic_t s_write = -1;
    Discovery::SocketHandle m_read;
    Discovery::SocketHandle m_write;
    struct sigaction m_oldInt {};
    struct sigaction m_oldTerm {};
    bool m_installed = false;
};

} // namespace Cli
