// SPDX-License-Identifier: MIT
#include "sim/http_relay.h"

#include "sim/device_store.h"
#include "sim/event_log.h"
#include "sim/http_request.h"
#include "sim/relay_page_builder.h"
#include "sim/sim_options.h"

#include <QJsonObject>

#include <chrono>
#include <cstdlib>

namespace Sim {

namespace {

constexpr std::size_t kMiB = 1024 * 1024;
constexpr char kDevicePagePath[] = "/device.get";
constexpr char kDeviceTypeKey[] = "DeviceType";

QString Latin1(std::string_view text)
{
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

const char* StatusText(int status)
{
    switch (status) {
    case 200: return "OK";
    case 302: return "Found";
    case 400: return "Bad Request";
    case 404: return "Not Found";
    case 405: return "Method Not Allowed";
    case 431: return "Request Header Fields Too Large";
    }
    return "Error";
}

// The request target with its redirect count set to `hop` (kept last in the query).
std::string WithHop(std::string_view target, int hop)
{
    std::string out(target.substr(0, target.find("&hop=")));
    out += out.find('?') == std::string::npos ? "?" : "&";
    return out + "hop=" + std::to_string(hop);
}

std::shared_ptr<const std::string> Shared(std::string text)
{
    return std::make_shared<const std::string>(std::move(text));
}

StreamServer::Setup ServerSetup()
{
    StreamServer::Setup setup;
    setup.transport = "HTTP";
    setup.prefix = "http";
    // One byte past the limit tells an oversized head from a full one.
    setup.requestRoom = kMaxRequestHead + 1;
    setup.requestLimit = std::chrono::seconds(10); // to send the request head
    setup.closeTellsSent = true;
    setup.hangupIsPeerClosed = true;
    return setup;
}

} // namespace

HttpRelay::HttpRelay(const SimOptions& options, DeviceStore& store, EventLog& log)
    : m_options(options), m_store(store), m_log(log), m_server(ServerSetup(), log, *this)
{
}

bool HttpRelay::open(std::uint16_t port, QString& error)
{
    if (!m_server.open(m_options.bindAddress, port, error))
        return false;
    if (m_options.httpBigMiB > 0)
        m_filler = Shared(FillerRows(static_cast<std::size_t>(m_options.httpBigMiB) * kMiB));
    return true;
}

bool HttpRelay::requestComplete(const std::string& in) const
{
    return RequestHeadEnd(in) != std::string::npos || in.size() > kMaxRequestHead;
}

void HttpRelay::peerFinished(Connection& c)
{
    // The peer stopped before its request ended (or gave up waiting).
    m_server.close(c, "peer-closed");
}

void HttpRelay::process(Connection& c)
{
    if (RequestHeadEnd(c.in) == std::string::npos) {
        m_log.event("http-bad-request", {{QStringLiteral("from"), EndpointText(c.peer)},
                                         {QStringLiteral("reason"), QStringLiteral("request head too long")}});
        Answer answer;
        answer.status = 431;
        respond(c, std::move(answer), false);
        return;
    }
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
        m_server.hang(c);
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
    // --http-redirect: hops 0 .. n-1 are sent on, on this host; then, with
    // --http-redirect-to, one more hop goes to the other host.
    const std::optional<std::string> hopText = QueryValue(target, "hop");
    const int hop = hopText ? std::atoi(hopText->c_str()) : 0;
    if (hop < m_options.httpRedirects || (hop == m_options.httpRedirects && !m_options.httpRedirectTo.empty())) {
        answer.status = 302;
        answer.location = WithHop(target, hop + 1);
        if (hop == m_options.httpRedirects)
            answer.location = "http://" + m_options.httpRedirectTo + answer.location;
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
        answer.page = answer.status == 302 ? "redirect" : "error";
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
    if (!answer.location.empty())
        header += "Location: " + answer.location + "\r\n";
    header += "Connection: close\r\n\r\n";

    m_log.event("http-answered", {{QStringLiteral("to"), EndpointText(c.peer)},
                                  {QStringLiteral("status"), answer.status},
                                  {QStringLiteral("page"), QString::fromLatin1(answer.page)},
                                  {QStringLiteral("bytes"), static_cast<qint64>(length)},
                                  {QStringLiteral("devices"), static_cast<qint64>(answer.devices)}});
    std::vector<Segment> out{Shared(std::move(header))};
    if (!headOnly)
        out.insert(out.end(), answer.body.begin(), answer.body.end());
    m_server.answer(c, std::move(out));
}

} // namespace Sim
