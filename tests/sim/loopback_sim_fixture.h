// SPDX-License-Identifier: MIT
#pragma once

// The simulator run in-process on 127.0.0.1, its loop pumped by the test's
// own thread between reads and writes: real sockets, every reply addressed
// to a receiver on loopback.
#include "sim/event_log.h"
#include "sim/simulator.h"

#include "sim_devices.h"
#include "wire.h"

#include <gtest/gtest.h>

#include <sys/socket.h>

#include <QJsonObject>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class LoopbackSimTest : public ::testing::Test {
protected:
    // Every reply goes to our receiver on loopback, never to a broadcast address.
    Sim::SimOptions Options() const { return TestSupport::LoopbackSimOptions(m_replies.port()); }

    void Start(const Sim::SimOptions& options, std::vector<Discovery::DeviceInfo> devices)
    {
        ASSERT_TRUE(m_replies.valid());
        m_options = options;
        m_sim = std::make_unique<Sim::Simulator>(m_options, std::move(devices), m_log);
        QString error;
        ASSERT_TRUE(m_sim->start(error)) << error.toStdString();
        ASSERT_TRUE(!m_options.httpPort || m_sim->httpPort() != 0);
    }

    // Runs the simulator's loop until `done` holds or `limit` passes.
    bool Pump(const std::function<bool()>& done, std::chrono::milliseconds limit = std::chrono::milliseconds(5000))
    {
        return TestSupport::PumpSim(*m_sim, done, limit);
    }

    // What a TCP peer sends until it closes, `most` bytes have come or the
    // time is up; and whether it closed.
    std::pair<std::string, bool> ReadAll(int fd, std::size_t most = SIZE_MAX)
    {
        std::string got;
        bool closed = false;
        Pump([&] {
            char chunk[65536];
            ssize_t n = -1;
            while (got.size() < most && (n = recv(fd, chunk, sizeof chunk, MSG_DONTWAIT)) > 0)
                got.append(chunk, static_cast<std::size_t>(n));
            closed = got.size() < most && n == 0;
            return closed || got.size() >= most;
        });
        return {got, closed};
    }

    // The log lines whose `key` reads as `value`.
    std::vector<QJsonObject> Lines(const char* key, const char* value) const
    {
        std::vector<QJsonObject> found;
        for (const QJsonObject& line : m_log.kept())
            if (line.value(QString::fromLatin1(key)).toVariant().toString() == QString::fromLatin1(value))
                found.push_back(line);
        return found;
    }

    const QJsonObject* Last(const char* event) const
    {
        for (auto it = m_log.kept().rbegin(); it != m_log.kept().rend(); ++it)
            if (it->value(QStringLiteral("event")).toString() == QString::fromLatin1(event))
                return &*it;
        return nullptr;
    }

    LanHarness::UdpReceiver m_replies{0};
    Sim::EventLog m_log{nullptr, true};
    Sim::SimOptions m_options;
    std::unique_ptr<Sim::Simulator> m_sim;
};
