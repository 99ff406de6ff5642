// SPDX-License-Identifier: MIT
#include "sim/simulator.h"

#include "sim/event_log.h"

#include <QJsonObject>

#include <poll.h>

#include <algorithm>
#include <cerrno>

namespace Sim {

Simulator::Simulator(const SimOptions& options, std::vector<Discovery::DeviceInfo> devices, EventLog& log)
    : m_options(options), m_log(log), m_store(std::move(devices)),
      m_udp(m_options, m_store, m_log, m_scheduler), m_tcp(m_options, m_store, m_log),
      m_http(m_options, m_store, m_log)
{
    m_store.setRestartSilence(m_options.restartSilence);
}

bool Simulator::start(QString& error)
{
    if (!m_udp.open(error))
        return false;
    // With free ports asked for, the relay takes the UDP port too when it can.
    if (!m_tcp.open(m_udp.port(), error)) {
        if (m_options.port != 0 || !m_tcp.open(0, error))
            return false;
    }
    if (m_options.httpPort && !m_http.open(*m_options.httpPort, error))
        return false;
    QString mode = QStringLiteral("normal");
    if (m_options.hang)
        mode = QStringLiteral("hang");
    else if (m_options.flood)
        mode = QStringLiteral("flood");
    else if (m_options.garbage)
        mode = QStringLiteral("garbage");
    QJsonObject ready{{QStringLiteral("udp_port"), m_udp.port()},
                      {QStringLiteral("tcp_port"), m_tcp.port()},
                      {QStringLiteral("bind"), AddressText(m_options.bindAddress)},
                      {QStringLiteral("reply_port"), m_options.replyPort},
                      {QStringLiteral("devices"), static_cast<qint64>(m_store.devices().size())},
                      {QStringLiteral("pack"), m_options.pack},
                      {QStringLiteral("restart_silence_ms"), static_cast<qint64>(m_options.restartSilence.count())},
                      {QStringLiteral("hang"), m_options.hang},
                      {QStringLiteral("flood"), m_options.flood},
                      {QStringLiteral("garbage"), m_options.garbage},
                      {QStringLiteral("mode"), mode}};
    if (m_http.isOpen()) {
        QString httpMode = QStringLiteral("normal");
        if (m_options.httpHang)
            httpMode = QStringLiteral("hang");
        else if (m_options.httpBigMiB > 0)
            httpMode = QStringLiteral("big");
        else if (m_options.httpEmpty)
            httpMode = QStringLiteral("empty");
        ready.insert(QStringLiteral("http_port"), m_http.port());
        ready.insert(QStringLiteral("http_mode"), httpMode);
    }
    m_log.event("ready", ready);
    return true;
}

bool Simulator::pollOnce(std::chrono::milliseconds maxWait, int stopFd)
{
    using Clock = Scheduler::Clock;
    std::vector<pollfd> fds;
    fds.push_back({stopFd, POLLIN, 0}); // a negative descriptor is ignored by poll
    fds.push_back({m_udp.fd(), POLLIN, 0});
    const std::size_t tcpFirst = fds.size();
    m_tcp.collectPollFds(fds);
    const std::size_t httpFirst = fds.size();
    m_http.collectPollFds(fds);

    Clock::time_point wake = Clock::now() + maxWait;
    if (const auto due = m_scheduler.nextDue())
        wake = std::min(wake, *due);
    if (const auto deadline = m_tcp.nextDeadline())
        wake = std::min(wake, *deadline);
    if (const auto deadline = m_http.nextDeadline())
        wake = std::min(wake, *deadline);
    const auto wait = std::chrono::ceil<std::chrono::milliseconds>(wake - Clock::now());
    const int timeout = static_cast<int>(std::clamp<long long>(wait.count(), 0, 60'000));

    const int ready = poll(fds.data(), fds.size(), timeout);
    if (ready < 0 && errno != EINTR) {
        m_log.event("error", {{QStringLiteral("message"), QStringLiteral("poll failed")}});
        return true;
    }
    if (ready > 0) {
        if (fds[0].revents != 0)
            return true;
        if (fds[1].revents != 0)
            m_udp.onReadable();
        const std::span<const pollfd> all(fds);
        m_tcp.onPoll(all.subspan(tcpFirst, httpFirst - tcpFirst));
        m_http.onPoll(all.subspan(httpFirst));
    }
    const Clock::time_point now = Clock::now();
    m_scheduler.runDue(now);
    m_tcp.expire(now);
    m_http.expire(now);
    return false;
}

void Simulator::run(int stopFd)
{
    while (!pollOnce(std::chrono::milliseconds(1000), stopFd)) {
    }
    m_log.event("stopped");
}

} // namespace Sim
