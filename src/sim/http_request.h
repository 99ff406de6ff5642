// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace Sim {

// The most a client may send before its request head ends.
inline constexpr std::size_t kMaxRequestHead = 8192;

// The request line of an HTTP/1.x request.
struct HttpRequest {
    std::string method;
    std::string target; // as sent, still percent-encoded
    std::string version;
};

// The length of the request head in `received` (through the blank line that
// ends it, CR LF or bare LF), or npos while it has not ended.
std::size_t RequestHeadEnd(std::string_view received);

// Reads the first line of a request head: "METHOD SP /target SP HTTP/1.x".
// Nothing for anything else (a target that is not a path, control bytes,
// another protocol version).
std::optional<HttpRequest> ParseRequestLine(std::string_view head);

// The target's path, without its query.
std::string_view TargetPath(std::string_view target);

// The percent-decoded value of the query parameter `key`, or nothing when the
// query does not name it. "+" stays itself: the program sends the typed text.
std::optional<std::string> QueryValue(std::string_view target, std::string_view key);

// "%XX" sequences decoded; a "%" not followed by two hex digits stays as it is.
std::string PercentDecode(std::string_view text);

} // namespace Sim
