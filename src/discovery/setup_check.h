// SPDX-License-Identifier: MIT
#pragma once

#include "resources/dvconst.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace Discovery {

// Refusal of an address a device cannot take: field caption, text, reason.
inline constexpr const char* kRefusedAddressFormat = Dvconst::_REFUSED_ADDRESS.english;

// The four addresses a static (or eznet) setup sends.
struct SetupAddresses {
    std::string_view ip, netmask, gateway, dns;
};

// Which address is wrong (its DeviceInfo field number: kIp, kNetmask,
// kGateway or kDns) and why, in words for the user.
struct SetupProblem {
    int field = -1;
    std::string reason;                                // in English, as the command line prints it
    const Dvconst::ResourceString* reasonKey = nullptr; // the same in the user's language
};

// The address as a number (host byte order) when the text is four decimal
// numbers 0-255 joined by dots, without signs, blanks or leading zeros.
std::optional<std::uint32_t> ParseDottedQuad(std::string_view text);

// Checks the addresses of a setup before they are sent, in the order ip,
// netmask, gateway, dns. Nothing when a device can take them all.
std::optional<SetupProblem> CheckSetupRequest(const SetupAddresses& addresses);

// The refusal as the tools print it (kRefusedAddressFormat): the field's
// caption, its text among `addresses`, the reason.
std::string RefusalText(const SetupProblem& problem, const SetupAddresses& addresses);

// The caption the setup dialog shows for an address field ("IP Address",
// "Netmask", "Gateway", "DNS"); the CLI names the fields the same way.
std::string_view SetupFieldCaption(int field);

} // namespace Discovery
