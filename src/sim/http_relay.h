// SPDX-License-Identifier: MIT
#pragma once

#include "sim/stream_server.h"

#include <QString>
#include <QtGlobal>

#include <poll.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace Sim {

class DeviceStore;
class EventLog;
struct SimOptions;

// The relay host's HTTP command interface: answers
// "GET /device.get?DeviceType=..." with the device table page of the
// devices of that project ("ALL": every device), one request per connection.
// Misbehaves as the options say: --http-hang reads the request and never
// answers, --http-big pads every page with filler rows, --http-empty always
// says "No available items", --http-redirect and --http-redirect-to send the
// page request on through redirects first.
class HttpRelay : private StreamServer::Protocol {
    Q_DISABLE_COPY(HttpRelay)
public:
    using Clock = StreamServer::Clock;

    // Connections held at once; more are accepted and closed at once.
    static constexpr std::size_t kMaxConnections = StreamServer::kMaxConnections;

    HttpRelay(const SimOptions& options, DeviceStore& store, EventLog& log);

    // Listens on the options' address at `port` (0: any free port).
    bool open(std::uint16_t port, QString& error);
    bool isOpen() const { return m_server.isOpen(); }
    std::uint16_t port() const { return m_server.port(); }
    std::size_t connectionCount() const { return m_server.connectionCount(); }

    // Appends the descriptors to watch (none while closed); onPoll gets them
    // back in that order.
    void collectPollFds(std::vector<pollfd>& fds) const { m_server.collectPollFds(fds); }
    void onPoll(std::span<const pollfd> fds) { m_server.onPoll(fds); }
    // The earliest time a connection gives up, if any.
    std::optional<Clock::time_point> nextDeadline() const { return m_server.nextDeadline(); }
    void expire(Clock::time_point now) { m_server.expire(now); }

private:
    using Connection = StreamServer::Connection;
    using Segment = StreamServer::Segment;
    struct Answer {
        int status = 200;
        std::vector<Segment> body;
        const char* page = "devices";
        std::size_t devices = 0;
        const char* allow = nullptr;
        std::string location; // of a redirect
    };

    bool requestComplete(const std::string& in) const override;
    void process(Connection& connection) override;
    void peerFinished(Connection& connection) override;
    Answer answerFor(const std::string& method, const std::string& target) const;
    void respond(Connection& connection, Answer answer, bool headOnly);

    const SimOptions& m_options;
    DeviceStore& m_store;
    EventLog& m_log;
    StreamServer m_server;
    Segment m_filler; // --http-big's rows, built once
};

} // namespace Sim
