// SPDX-License-Identifier: MIT
#include "upnp/presentation_url.h"

#include <algorithm>

namespace Upnp {

namespace {

constexpr std::string_view kDefaultHttpPort = "80";

// Where the host part of `url` starts and ends ("//" to the next "/" or
// the end); unset without "//".
struct HostSpan {
    std::size_t begin;
    std::size_t end;
};

std::optional<HostSpan> HostSpanOf(std::string_view url)
{
    const std::size_t slashes = url.find("//");
    if (slashes == std::string_view::npos)
        return std::nullopt;
    const std::size_t begin = slashes + 2;
    const std::size_t slash = url.find('/', begin);
    return HostSpan{begin, slash == std::string_view::npos ? url.size() : slash};
}

// What follows the last "@" of a host part: a password may itself hold "@".
std::string_view AfterCredentials(std::string_view host)
{
    const std::size_t at = host.rfind('@');
    return at == std::string_view::npos ? host : host.substr(at + 1);
}

} // namespace

std::optional<HostPort> PresentationHostPort(std::string_view presentationUrl)
{
    const std::optional<HostSpan> span = HostSpanOf(presentationUrl);
    if (!span || span->end == presentationUrl.size())
        return std::nullopt;
    const std::string_view host = AfterCredentials(presentationUrl.substr(span->begin, span->end - span->begin));
    // "[fe80::1]" would be cut at its first ":" into "[fe80", which no
    // device answers to.
    if (host.empty() || host.front() == '[')
        return std::nullopt;
    const std::size_t colon = host.find(':');
    if (colon == std::string_view::npos)
        return HostPort{host, kDefaultHttpPort};
    if (colon == 0)
        return std::nullopt;
    return HostPort{host.substr(0, colon), host.substr(colon + 1)};
}

std::string WithoutCredentials(std::string_view url)
{
    const std::optional<HostSpan> span = HostSpanOf(url);
    if (!span)
        return std::string(url);
    // The host part ends at a query or fragment too: an "@" there is no credential.
    const std::size_t end = std::min(url.find_first_of("?#", span->begin), span->end);
    const std::size_t at = url.substr(span->begin, end - span->begin).rfind('@');
    if (at == std::string_view::npos)
        return std::string(url);
    std::string shown(url.substr(0, span->begin));
    shown += url.substr(span->begin + at + 1);
    return shown;
}

} // namespace Upnp
