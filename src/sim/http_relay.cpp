// SPDX-License-Identifier: MIT
#include "sim/http_relay.h"

#include "sim/device_store.h"
#include "sim/event_log.h"
#include "sim/http_request.h"
#include "sim/relay_page_builder.h"
#include "sim/sim_options.h"

#include <QJsonObject>

#include <arpa/inet.h>
#include <sys/socket.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace Sim {

namespace {

constexpr auto kRequestLimit = std::chrono::seconds(10); // to send the request head
constexpr auto kWriteLimit = std::chrono::seconds(30);   // to take the answer
constexpr auto kDrainLimit = std::chrono::seconds(2);    // to close after our FIN
// A peer that keeps sending must not keep the loop from everything else.
constexpr int kReadsPerWake = 64;
constexpr std::size_t kMiB = 1024 * 1024;
constexpr char kDevicePagePath[] = "/device.get";
constexpr char kDeviceTypeKey[] = "DeviceType";

QString ErrnoText() { return QString::fromLocal8Bit(std::strerror(errno)); }

QString Latin1(std::string_view text)
{
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

const char* StatusText(int status)
{
    switch (status) {
    case 200: return "OK";
    case 400: return "Bad Request";
    case 404: return "Not Found";
    case 405: return "Method Not Allowed";
    case 431: return "Request Header Fields Too Large";
    }
    return "Error";
}

std::shared_ptr<const std::string> Shared(std::string text)
{
    return std::make_shared<const std::string>(std::move(text));
}

} // namespace

HttpRelay::HttpRelay(const SimOptions& options, DeviceStore& store, EventLog& log)
    : m_options(options), m_store(store), m_log(log)
{
}

bool HttpRelay::open(std::uint16_t port, QString& error)
{
    Discovery::SocketHandle socket(::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
    if (!socket.valid()) {
        error = QStringLiteral("HTTP socket: %1").arg(ErrnoText());
        return false;
    }
    const int on = 1;
    setsockopt(socket.get(), SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_addr.s_addr = htonl(m_options.bindAddress);
    local.sin_port = htons(port);
    if (bind(socket.get(), reinterpret_cast<const sockaddr*>(&local), sizeof local) != 0) {
        error = QStringLiteral("HTTP bind %1: %2").arg(EndpointText(local), ErrnoText());
        return false;
    }
    if (listen(socket.get(), 64) != 0) {
        error = QStringLiteral("HTTP listen: %1").arg(ErrnoText());
        return false;
    }
    sockaddr_in bound{};
    socklen_t length = sizeof bound;
    getsockname(socket.get(), reinterpret_cast<sockaddr*>(&bound), &length);
    m_port = ntohs(bound.sin_port);
    m_listener = std::move(socket);
    if (m_options.httpBigMiB > 0)
        m_filler = Shared(FillerRows(static_cast<std::size_t>(m_options.httpBigMiB) * kMiB));
    return true;
}

void HttpRelay::collectPollFds(std::vector<pollfd>& fds) const
{
    // A closed listener is -1, which poll skips; the order stays the same.
    fds.push_back({m_listener.get(), POLLIN, 0});
    for (const Connection& c : m_connections)
        fds.push_back({c.socket.get(), static_cast<short>(c.state == State::Writing ? POLLOUT : POLLIN), 0});
}

void HttpRelay::onPoll(std::span<const pollfd> fds)
{
    if (fds.empty())
        return;
    // Connections first: accepting adds to the list that `fds` mirrors.
    auto it = m_connections.begin();
    for (std::size_t i = 1; i < fds.size() && it != m_connections.end(); ++i, ++it) {
        if (fds[i].revents == 0)
            continue;
        switch (it->state) {
        case State::Reading:
        case State::Hanging: readRequest(*it); break;
        case State::Writing: writeAnswer(*it); break;
        case State::Draining: drain(*it); break;
        }
    }
    m_connections.remove_if([](const Connection& c) { return c.closed; });
    if (fds[0].revents != 0)
        acceptAll();
}

std::optional<HttpRelay::Clock::time_point> HttpRelay::nextDeadline() const
{
    std::optional<Clock::time_point> next;
    for (const Connection& c : m_connections)
        if (c.deadline && (!next || *c.deadline < *next))
            next = c.deadline;
    return next;
}

void HttpRelay::expire(Clock::time_point now)
{
    for (Connection& c : m_connections)
        if (c.deadline && *c.deadline <= now)
            close(c, c.state == State::Draining ? "done" : "timeout");
    m_connections.remove_if([](const Connection& c) { return c.closed; });
}

void HttpRelay::acceptAll()
{
    for (;;) {
        sockaddr_in peer{};
        socklen_t length = sizeof peer;
        Discovery::SocketHandle socket(accept4(m_listener.get(), reinterpret_cast<sockaddr*>(&peer),
                                               &length, SOCK_NONBLOCK | SOCK_CLOEXEC));
        if (!socket.valid()) {
            if (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR && errno != ECONNABORTED)
                m_log.event("error", {{QStringLiteral("message"), QStringLiteral("HTTP accept: %1").arg(ErrnoText())}});
            return;
        }
        if (m_connections.size() >= kMaxConnections) {
            m_log.event("http-refused", {{QStringLiteral("from"), EndpointText(peer)},
                                         {QStringLiteral("reason"), QStringLiteral("too many connections")}});
            continue; // the handle closes it
        }
        Connection& c = m_connections.emplace_back();
        c.socket = std::move(socket);
        c.peer = peer;
        c.deadline = Clock::now() + kRequestLimit;
        m_log.event("http-accepted", {{QStringLiteral("from"), EndpointText(peer)}});
    }
}

void HttpRelay::readRequest(Connection& c)
{
    char chunk[4096];
    for (int reads = 0; reads < kReadsPerWake; ++reads) {
        const ssize_t n = recv(c.socket.get(), chunk, sizeof chunk, MSG_DONTWAIT);
        if (n > 0) {
            if (c.state == State::Hanging)
                continue; // read and forget, so the peer never blocks on us
            // One byte past the limit tells an oversized head from a full one.
            const std::size_t room = kMaxRequestHead + 1 - c.in.size();
            c.in.append(chunk, std::min(room, static_cast<std::size_t>(n)));
            if (RequestHeadEnd(c.in) != std::string::npos) {
                process(c);
                return;
            }
            if (c.in.size() > kMaxRequestHead) {
                m_log.event("http-bad-request", {{QStringLiteral("from"), EndpointText(c.peer)},
                                                 {QStringLiteral("reason"), QStringLiteral("request head too long")}});
                Answer answer;
                answer.status = 431;
                respond(c, std::move(answer), false);
                return;
            }
            continue;
        }
        if (n == 0) {
            // The peer stopped before its request ended (or gave up waiting).
            close(c, "peer-closed");
            return;
        }
        if (errno == EINTR)
            continue;
        if (errno != EAGAIN && errno != EWOULDBLOCK)
            close(c, "error");
        return;
    }
}

void HttpRelay::process(Connection& c)
{
    const std::string_view head(c.in.data(), RequestHeadEnd(c.in));
    const std::optional<HttpRequest> request = ParseRequestLine(head);
    if (request) {
        QJsonObject line;
        line.insert(QStringLiteral("transport"), QStringLiteral("http"));
        line.insert(QStringLiteral("from"), EndpointText(c.peer));
        line.insert(QStringLiteral("method"), Latin1(request->method));
        line.insert(QStringLiteral("path"), Latin1(request->target));
        m_log.write(std::move(line));
    } else {
        m_log.event("http-bad-request", {{QStringLiteral("from"), EndpointText(c.peer)},
                                         {QStringLiteral("reason"), QStringLiteral("not an HTTP/1.x request line")},
                                         {QStringLiteral("line"), Latin1(head.substr(0, head.find('\n')))}});
    }
    if (m_options.httpHang) {
        c.state = State::Hanging;
        c.deadline.reset();
        c.in.clear();
        m_log.event("http-hanging", {{QStringLiteral("from"), EndpointText(c.peer)}});
        return;
    }
    if (!request) {
        Answer answer;
        answer.status = 400;
        respond(c, std::move(answer), false);
        return;
    }
    respond(c, answerFor(request->method, request->target), request->method == "HEAD");
}

HttpRelay::Answer HttpRelay::answerFor(const std::string& method, const std::string& target) const
{
    Answer answer;
    if (method != "GET" && method != "HEAD") {
        answer.status = 405;
        answer.allow = "GET, HEAD";
        return answer;
    }
    if (TargetPath(target) != kDevicePagePath) {
        answer.status = 404;
        return answer;
    }
    const std::optional<std::string> deviceType = QueryValue(target, kDeviceTypeKey);
    if (!deviceType) {
        answer.status = 400;
        return answer;
    }
    if (m_options.httpEmpty) {
        answer.page = "no-items";
        answer.body.push_back(Shared(NoItemsPage()));
        return answer;
    }
    const std::vector<Discovery::DeviceInfo> listed = DevicesOfType(m_store.devices(), *deviceType);
    answer.devices = listed.size();
    if (m_filler) {
        // The listed devices first, then rows enough to pass the page size.
        std::string rows = RelayPageHead();
        for (const Discovery::DeviceInfo& device : listed)
            rows += RelayPageRow(device);
        answer.page = "big";
        answer.body = {Shared(std::move(rows)), m_filler, Shared(RelayPageTail())};
        return answer;
    }
    if (listed.empty())
        answer.page = "no-items";
    answer.body.push_back(Shared(BuildRelayPage(listed)));
    return answer;
}

void HttpRelay::respond(Connection& c, Answer answer, bool headOnly)
{
    if (answer.status != 200) {
        // One line of text: read as a relay page it is only a heading.
        answer.page = "error";
        answer.body = {Shared(std::string(StatusText(answer.status)) + "\n")};
    }
    std::size_t length = 0;
    for (const Segment& segment : answer.body)
        length += segment->size();
    std::string header = "HTTP/1.1 " + std::to_string(answer.status) + " " + StatusText(answer.status) + "\r\n";
    header += answer.status == 200 ? "Content-Type: text/html; charset=UTF-8\r\n" : "Content-Type: text/plain\r\n";
    header += "Content-Length: " + std::to_string(length) + "\r\n";
    if (answer.allow != nullptr)
        header += std::string("Allow: ") + answer.allow + "\r\n";
    header += "Connection: close\r\n\r\n";

    m_log.event("http-answered", {{QStringLiteral("to"), EndpointText(c.peer)},
                                  {QStringLiteral("status"), answer.status},
                                  {QStringLiteral("page"), QString::fromLatin1(answer.page)},
                                  {QStringLiteral("bytes"), static_cast<qint64>(length)},
                                  {QStringLiteral("devices"), static_cast<qint64>(answer.devices)}});
    c.in.clear();
    c.out = {Shared(std::move(header))};
    if (!headOnly)
        c.out.insert(c.out.end(), answer.body.begin(), answer.body.end());
    c.state = State::Writing;
    c.deadline = Clock::now() + kWriteLimit;
    writeAnswer(c);
}

void HttpRelay::writeAnswer(Connection& c)
{
    while (c.segment < c.out.size()) {
        const std::string& piece = *c.out[c.segment];
        if (c.offset >= piece.size()) {
            ++c.segment;
            c.offset = 0;
            continue;
        }
        const ssize_t n = send(c.socket.get(), piece.data() + c.offset, piece.size() - c.offset,
                               MSG_DONTWAIT | MSG_NOSIGNAL);
        if (n > 0) {
            c.offset += static_cast<std::size_t>(n);
            c.sent += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            return; // wait for room
        // A client that has read enough (the program keeps 1 MiB) hangs up.
        close(c, errno == EPIPE || errno == ECONNRESET ? "peer-closed" : "error");
        return;
    }
    c.out.clear();
    finishWriting(c);
}

void HttpRelay::finishWriting(Connection& c)
{
    // Our FIN ends the peer's read; closing outright with its bytes unread
    // would reset the connection and could throw away our answer.
    shutdown(c.socket.get(), SHUT_WR);
    c.state = State::Draining;
    c.deadline = Clock::now() + kDrainLimit;
}

void HttpRelay::drain(Connection& c)
{
    char chunk[4096];
    for (int reads = 0; reads < kReadsPerWake; ++reads) {
        const ssize_t n = recv(c.socket.get(), chunk, sizeof chunk, MSG_DONTWAIT);
        if (n > 0)
            continue;
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            return;
        close(c, "done");
        return;
    }
}

void HttpRelay::close(Connection& c, const char* why)
{
    if (c.closed)
        return;
    m_log.event("http-closed", {{QStringLiteral("from"), EndpointText(c.peer)},
                                {QStringLiteral("reason"), QString::fromLatin1(why)},
                                {QStringLiteral("sent"), static_cast<qint64>(c.sent)}});
    c.socket.reset();
    c.out.clear();
    c.closed = true;
}

} // namespace Sim
