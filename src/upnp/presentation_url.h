// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace Upnp {

// The host and port of a presentation URL: what stands between the first
// "//" and the next "/", after any "user:password@", split at its first ":"
// (port "80" when there is none). Unset when the URL has no "//" or no "/"
// after the host, or when the host is empty or an IPv6 literal: no address
// a row can show.
struct HostPort {
    std::string_view ip;
    std::string_view port;
};
std::optional<HostPort> PresentationHostPort(std::string_view presentationUrl);

// The URL without the "user:password@" part of its host, for showing: a
// camera's credentials never reach the screen.
std::string WithoutCredentials(std::string_view url);

} // namespace Upnp
