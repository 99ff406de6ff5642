// SPDX-License-Identifier: MIT
#include "discovery/setup_check.h"

#include "discovery/device_info.h"

#include <bit>
#include <cstdio>

namespace Discovery {

namespace {

using Reason = const Dvconst::ResourceString*;

SetupProblem Problem(int field, Reason reason)
{
    return SetupProblem{field, reason->english, reason};
}

bool InNetwork(std::uint32_t address, std::uint32_t network, int prefix)
{
    const std::uint32_t mask = prefix == 0 ? 0 : ~std::uint32_t{0} << (32 - prefix);
    return (address & mask) == network;
}

// The reason a text is no dotted quad, or nothing when it is one.
std::optional<Reason> QuadProblem(std::string_view text)
{
    if (text.empty())
        return &Dvconst::_REASON_EMPTY;
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
    return ParseDottedQuad(withoutZeros) ? &Dvconst::_REASON_LEADING_ZERO : &Dvconst::_REASON_NOT_DOTTED_QUAD;
}

// Gateway and DNS: a unicast address, or 0.0.0.0 for none.
std::optional<Reason> ServerProblem(std::string_view text)
{
    if (auto problem = QuadProblem(text))
        return problem;
    const std::uint32_t a = *ParseDottedQuad(text);
    if (a == 0xFFFFFFFFu)
        return &Dvconst::_REASON_BROADCAST;
    if (InNetwork(a, 0xE0000000u, 4))
        return &Dvconst::_REASON_MULTICAST;
    if (InNetwork(a, 0xF0000000u, 4))
        return &Dvconst::_REASON_RESERVED;
    if (InNetwork(a, 0x7F000000u, 8))
        return &Dvconst::_REASON_LOOPBACK;
    if (a != 0 && InNetwork(a, 0, 8))
        return &Dvconst::_REASON_NETWORK_ZERO_SERVER;
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
        return Problem(kIp, *problem);
    const std::uint32_t ip = *ParseDottedQuad(addresses.ip);
    if (ip == 0xFFFFFFFFu)
        return Problem(kIp, &Dvconst::_REASON_BROADCAST);
    if (InNetwork(ip, 0, 8))
        return Problem(kIp, &Dvconst::_REASON_NETWORK_ZERO_HOST);
    if (InNetwork(ip, 0xE0000000u, 4))
        return Problem(kIp, &Dvconst::_REASON_MULTICAST);
    if (InNetwork(ip, 0xF0000000u, 4))
        return Problem(kIp, &Dvconst::_REASON_RESERVED);
    if (InNetwork(ip, 0x7F000000u, 8))
        return Problem(kIp, &Dvconst::_REASON_LOOPBACK);

    if (auto problem = QuadProblem(addresses.netmask))
        return Problem(kNetmask, *problem);
    const std::uint32_t mask = *ParseDottedQuad(addresses.netmask);
    const int prefix = std::countl_one(mask);
    if (prefix != std::popcount(mask))
        return Problem(kNetmask, &Dvconst::_REASON_MASK_NOT_CONTIGUOUS);
    if (prefix == 0)
        return Problem(kNetmask, &Dvconst::_REASON_MASK_NO_NETWORK);
    if (prefix == 32)
        return Problem(kNetmask, &Dvconst::_REASON_MASK_NO_HOST);
    // A /31 has no network or broadcast address of its own (two hosts on a link).
    if (prefix < 31) {
        if ((ip & ~mask) == ~mask)
            return Problem(kIp, &Dvconst::_REASON_SUBNET_BROADCAST);
        if ((ip & ~mask) == 0)
            return Problem(kIp, &Dvconst::_REASON_SUBNET_NETWORK);
    }

    if (auto problem = ServerProblem(addresses.gateway))
        return Problem(kGateway, *problem);
    // A gateway a device cannot send to leaves it without a route.
    if (const std::uint32_t gateway = *ParseDottedQuad(addresses.gateway); prefix < 31) {
        if (gateway == (ip | ~mask))
            return Problem(kGateway, &Dvconst::_REASON_GATEWAY_BROADCAST);
        if (gateway == (ip & mask))
            return Problem(kGateway, &Dvconst::_REASON_GATEWAY_NETWORK);
    }
    if (auto problem = ServerProblem(addresses.dns))
        return Problem(kDns, *problem);
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
