// SPDX-License-Identifier: MIT
#include "sim/http_request.h"

namespace Sim {

namespace {

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool IsTokenChar(char c) { return c >= 'A' && c <= 'Z'; }

// Printable ASCII without the space: what a request target may hold.
bool IsTargetChar(char c) { return c > ' ' && c < 0x7F; }

} // namespace

std::size_t RequestHeadEnd(std::string_view received)
{
    for (std::size_t at = received.find('\n'); at != std::string_view::npos; at = received.find('\n', at + 1)) {
        if (at + 1 < received.size() && received[at + 1] == '\n')
            return at + 2;
        if (at + 2 < received.size() && received[at + 1] == '\r' && received[at + 2] == '\n')
            return at + 3;
    }
    return std::string_view::npos;
}

std::optional<HttpRequest> ParseRequestLine(std::string_view head)
{
    std::string_view line = head.substr(0, head.find('\n'));
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    const std::size_t first = line.find(' ');
    const std::size_t second = first == std::string_view::npos ? first : line.find(' ', first + 1);
    if (first == 0 || second == std::string_view::npos || line.find(' ', second + 1) != std::string_view::npos)
        return std::nullopt;
    HttpRequest request;
    request.method = line.substr(0, first);
    request.target = line.substr(first + 1, second - first - 1);
    request.version = line.substr(second + 1);
    for (const char c : request.method)
        if (!IsTokenChar(c))
            return std::nullopt;
    if (request.target.empty() || request.target.front() != '/')
        return std::nullopt;
    for (const char c : request.target)
        if (!IsTargetChar(c))
            return std::nullopt;
    if (request.version != "HTTP/1.1" && request.version != "HTTP/1.0")
        return std::nullopt;
    return request;
}

std::string_view TargetPath(std::string_view target) { return target.substr(0, target.find('?')); }

std::optional<std::string> QueryValue(std::string_view target, std::string_view key)
{
    const std::size_t mark = target.find('?');
    if (mark == std::string_view::npos)
        return std::nullopt;
    std::string_view query = target.substr(mark + 1);
    query = query.substr(0, query.find('#'));
    while (!query.empty()) {
        const std::size_t end = query.find('&');
        const std::string_view pair = query.substr(0, end);
        const std::size_t equals = pair.find('=');
        if (PercentDecode(pair.substr(0, equals)) == key)
            return PercentDecode(equals == std::string_view::npos ? std::string_view() : pair.substr(equals + 1));
        if (end == std::string_view::npos)
            break;
        query.remove_prefix(end + 1);
    }
    return std::nullopt;
}

std::string PercentDecode(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && HexValue(text[i + 1]) >= 0 && HexValue(text[i + 2]) >= 0) {
            out += static_cast<char>(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2]));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

} // namespace Sim
