// SPDX-License-Identifier: MIT
#include "cli/stop_signals.h"

#include <fcntl.h>
#include <unistd.h>

namespace Cli {

StopSignals::StopSignals()
{
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    m_read = Discovery::SocketHandle(fds[0]);
    m_write = Discovery::SocketHandle(fds[1]);
    s_write = fds[1];
    struct sigaction action {};
    action.sa_handler = &StopSignals::Handle;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGINT, &action, &m_oldInt);
    ::sigaction(SIGTERM, &action, &m_oldTerm);
    m_installed = true;
}

StopSignals::~StopSignals()
{
    if (m_installed) {
        ::sigaction(SIGINT, &m_oldInt, nullptr);
        ::sigaction(SIGTERM, &m_oldTerm, nullptr);
    }
    s_write = -1;
}

void StopSignals::whenSignalled(std::function<void()> stop)
{
    m_notifier = std::make_unique<QSocketNotifier>(m_read.get(), QSocketNotifier::Read);
    QObject::connect(m_notifier.get(), &QSocketNotifier::activated, m_notifier.get(), std::move(stop));
}

void StopSignals::Handle(int)
{
    const char byte = 1;
    if (s_write < 0)
        return;
    [[maybe_unused]] const ssize_t n = ::write(s_write, &byte, 1);
}

} // namespace Cli
