// SPDX-License-Identifier: MIT
#include "discovery/mac_address.h"

#include <cctype>

namespace Discovery {

std::optional<std::string> CanonicalMac(std::string_view text)
{
    if (text.size() != 17)
        return std::nullopt;
    const char separator = text[2];
    if (separator != ':' && separator != '-')
        return std::nullopt;
    std::string canonical;
    canonical.reserve(17);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (i % 3 == 2) {
            if (c != static_cast<unsigned char>(separator))
                return std::nullopt;
            canonical += ':';
        } else {
            if (!std::isxdigit(c))
                return std::nullopt;
            canonical += static_cast<char>(std::toupper(c));
        }
    }
    return canonical;
}

bool SameMac(std::string_view a, std::string_view b)
{
    const std::optional<std::string> left = CanonicalMac(a);
    const std::optional<std::string> right = CanonicalMac(b);
    if (left && right)
        return *left == *right;
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::toupper(static_cast<unsigned char>(a[i])) != std::toupper(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

} // namespace Discovery
