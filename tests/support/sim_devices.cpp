// SPDX-License-Identifier: MIT
#include "sim_devices.h"

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

bool PumpSim(Sim::Simulator& sim, const std::function<bool()>& done, std::chrono::milliseconds limit)
{
    const auto until = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < until) {
        sim.pollOnce(std::chrono::milliseconds(5));
        if (done())
            return true;
    }
    return done();
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
            ++m_cycles;
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
            texts.push_back(line.value(QStringLiteral("text")).toString().toLatin1().toStdString());
    return texts;
}

std::optional<std::string> SimDevices::takeQuery(std::chrono::milliseconds wait)
{
    const auto until = std::chrono::steady_clock::now() + wait;
    do {
        const std::vector<std::string> texts = queries();
        if (texts.size() > m_taken)
            return texts[m_taken++];
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    } while (std::chrono::steady_clock::now() < until);
    return std::nullopt;
}

bool SimDevices::silent()
{
    // Two whole turns of the loop: the second began after this call did.
    const unsigned start = m_cycles;
    while (m_cycles < start + 2)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return !takeQuery(std::chrono::milliseconds(0));
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
