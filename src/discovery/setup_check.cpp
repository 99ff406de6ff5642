// SPDX-License-Identifier: MIT
#include "discovery/setup_check.h"

#include "discovery/device_info.h"

#include <bit>
#include <cstdio>

namespace Discovery {

namespace {

constexpr char kNotDottedQuad[] = "not four decimal numbers 0-255 joined by dots";
constexpr char kLeadingZero[] = "a number with a leading zero, which some devices read as octal";

bool InNetwork(std::uint32_t address, std::uint32_t network, int prefix)
{
    const std::uint32_t mask = prefix == 0 ? 0 : ~std::uint32_t{0} << (32 - prefix);
    return (address & mask) == network;
}

// The reason a text is no dotted quad, or nothing when it is one.
std::optional<std::string> QuadProblem(std::string_view text)
{
    if (text.empty())
        return "empty";
    if (ParseDottedQuad(text))
        return std::nullopt;
    // Say "leading zero" only where that is all that is wrong.
    std::string withoutZeros;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('.', start);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view part = text.substr(start, end - start);
        while (part.size() > 1 && part.front() == '0')
            part.remove_prefix(1);
        withoutZeros.append(part);
        if (end < text.size())
            withoutZeros += '.';
        start = end + 1;
    }
    return ParseDottedQuad(withoutZeros) ? kLeadingZero : kNotDottedQuad;
}

constexpr char kReserved[] = "a reserved address (240.0.0.0/4), which no device can use";

// Gateway and DNS: a unicast address, or 0.0.0.0 for none.
std::optional<std::string> ServerProblem(std::string_view text)
{
    if (auto problem = QuadProblem(text))
        return problem;
    const std::uint32_t a = *ParseDottedQuad(text);
    if (a == 0xFFFFFFFFu)
        return "the broadcast address";
    if (InNetwork(a, 0xE0000000u, 4))
        return "a multicast address";
    if (InNetwork(a, 0xF0000000u, 4))
        return kReserved;
    if (InNetwork(a, 0x7F000000u, 8))
        return "a loopback address";
    if (a != 0 && InNetwork(a, 0, 8))
        return "an address of network 0, which no device can reach (0.0.0.0 alone means none)";
    return std::nullopt;
}

} // namespace

std::optional<std::uint32_t> ParseDottedQuad(std::string_view text)
{
    std::uint32_t address = 0;
    int parts = 0;
    std::size_t i = 0;
    while (parts < 4) {
        if (parts > 0) {
            if (i >= text.size() || text[i] != '.')
                return std::nullopt;
            ++i;
        }
        const std::size_t first = i;
        unsigned value = 0;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9' && i - first < 3)
            value = value * 10 + static_cast<unsigned>(text[i++] - '0');
        const std::size_t digits = i - first;
        if (digits == 0 || value > 255 || (digits > 1 && text[first] == '0'))
            return std::nullopt;
        address = address << 8 | value;
        ++parts;
    }
    if (i != text.size())
        return std::nullopt;
    return address;
}

std::optional<SetupProblem> CheckSetupRequest(const SetupAddresses& addresses)
{
    if (auto problem = QuadProblem(addresses.ip))
        return SetupProblem{kIp, *problem};
    const std::uint32_t ip = *ParseDottedQuad(addresses.ip);
    if (ip == 0xFFFFFFFFu)
        return SetupProblem{kIp, "the broadcast address"};
    if (InNetwork(ip, 0, 8))
        return SetupProblem{kIp, "an address of network 0, which no device can take"};
    if (InNetwork(ip, 0xE0000000u, 4))
        return SetupProblem{kIp, "a multicast address"};
    if (InNetwork(ip, 0xF0000000u, 4))
        return SetupProblem{kIp, kReserved};
    if (InNetwork(ip, 0x7F000000u, 8))
        return SetupProblem{kIp, "a loopback address"};

    if (auto problem = QuadProblem(addresses.netmask))
        return SetupProblem{kNetmask, *problem};
    const std::uint32_t mask = *ParseDottedQuad(addresses.netmask);
    const int prefix = std::countl_one(mask);
    if (prefix != std::popcount(mask))
        return SetupProblem{kNetmask, "not contiguous: its ones must all come before its zeros"};
    if (prefix == 0)
        return SetupProblem{kNetmask, "0.0.0.0 leaves no network"};
    if (prefix == 32)
        return SetupProblem{kNetmask, "255.255.255.255 leaves no other host on the network"};
    // A /31 has no network or broadcast address of its own (two hosts on a link).
    if (prefix < 31) {
        if ((ip & ~mask) == ~mask)
            return SetupProblem{kIp, "the broadcast address of its subnet"};
        if ((ip & ~mask) == 0)
            return SetupProblem{kIp, "the network address of its subnet"};
    }

    if (auto problem = ServerProblem(addresses.gateway))
        return SetupProblem{kGateway, *problem};
    // A gateway a device cannot send to leaves it without a route.
    if (const std::uint32_t gateway = *ParseDottedQuad(addresses.gateway); prefix < 31) {
        if (gateway == (ip | ~mask))
            return SetupProblem{kGateway, "the broadcast address of the IP address's subnet"};
        if (gateway == (ip & mask))
            return SetupProblem{kGateway, "the network address of the IP address's subnet"};
    }
    if (auto problem = ServerProblem(addresses.dns))
        return SetupProblem{kDns, *problem};
    return std::nullopt;
}

std::string_view SetupFieldCaption(int field)
{
    switch (field) {
    case kIp: return "IP Address";
    case kNetmask: return "Netmask";
    case kGateway: return "Gateway";
    case kDns: return "DNS";
    default: return {};
    }
}

std::string RefusalText(const SetupProblem& problem, const SetupAddresses& addresses)
{
    const std::string_view refused = problem.field == kIp        ? addresses.ip
                                     : problem.field == kNetmask ? addresses.netmask
                                     : problem.field == kGateway ? addresses.gateway
                                                                 : addresses.dns;
    char text[512];
    std::snprintf(text, sizeof text, kRefusedAddressFormat, std::string(SetupFieldCaption(problem.field)).c_str(),
                  std::string(refused).c_str(), problem.reason.c_str());
    return text;
}

} // namespace Discovery
