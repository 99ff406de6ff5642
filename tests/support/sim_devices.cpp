// SPDX-License-Identifier: MIT
#include "sim_devices.h"

#include "loopback.h"

#include <gtest/gtest.h>

namespace TestSupport {

Sim::SimOptions LoopbackSimOptions(std::uint16_t replyPort)
{
    Sim::SimOptions o;
    o.bindAddress = kLoopback;
    o.port = 0;
    o.replyTo = kLoopback;
    o.replyPort = replyPort;
    return o;
}

SimDevices::SimDevices(std::vector<Discovery::DeviceInfo> devices, const Sim::SimOptions& options)
    : m_sim(std::make_unique<Sim::Simulator>(options, std::move(devices), m_log))
{
    QString error;
    EXPECT_TRUE(m_sim->start(error)) << error.toStdString();
    m_thread = std::thread([this] {
        while (!m_stop) {
            std::lock_guard lock(m_mutex);
            m_sim->pollOnce(std::chrono::milliseconds(5));
        }
    });
}

SimDevices::~SimDevices()
{
    m_stop = true;
    m_thread.join();
}

std::vector<std::string> SimDevices::queries() const
{
    std::lock_guard lock(m_mutex);
    std::vector<std::string> texts;
    for (const QJsonObject& line : m_log.kept())
        if (line.contains(QStringLiteral("transport")))
            texts.push_back(line.value(QStringLiteral("text")).toString().toStdString());
    return texts;
}

std::vector<int> SimDevices::queryBytes() const
{
    std::lock_guard lock(m_mutex);
    std::vector<int> sizes;
    for (const QJsonObject& line : m_log.kept())
        if (line.contains(QStringLiteral("transport")))
            sizes.push_back(line.value(QStringLiteral("bytes")).toInt());
    return sizes;
}

std::size_t SimDevices::events(const char* event) const
{
    std::lock_guard lock(m_mutex);
    std::size_t n = 0;
    for (const QJsonObject& line : m_log.kept())
        n += line.value(QStringLiteral("event")).toString() == QLatin1String(event) ? 1 : 0;
    return n;
}

} // namespace TestSupport
