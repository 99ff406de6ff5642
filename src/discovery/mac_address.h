// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace Discovery {

// A MAC address as a user types it: six pairs of hex digits separated by ":"
// or "-" (one kind throughout), in either letter case. Returns the
// upper-case, colon-separated form, or nothing for any other text.
std::optional<std::string> CanonicalMac(std::string_view text);

// True when both texts name the same MAC address, however each is written.
// Texts that are no MAC address compare with letter case ignored.
bool SameMac(std::string_view a, std::string_view b);

} // namespace Discovery
