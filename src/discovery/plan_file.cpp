// SPDX-License-Identifier: MIT
#include "discovery/plan_file.h"

#include "discovery/control_package.h"
#include "discovery/device_info.h"
#include "discovery/mac_address.h"
#include "discovery/setup_check.h"

#include <set>

namespace Discovery {

namespace {

std::string_view Trimmed(std::string_view text)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    // A spreadsheet may quote every field; none of ours needs quoting.
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"')
        text = text.substr(1, text.size() - 2);
    return text;
}

std::vector<std::string_view> Fields(std::string_view line)
{
    std::vector<std::string_view> fields;
    for (;;) {
        const std::size_t comma = line.find(',');
        fields.push_back(Trimmed(line.substr(0, comma)));
        if (comma == std::string_view::npos)
            return fields;
        line.remove_prefix(comma + 1);
    }
}

} // namespace

std::string ForeignGatewayReason(std::string_view ip, std::string_view netmask, std::string_view gateway)
{
    return "the gateway " + std::string(gateway) + " lies outside the subnet of " + std::string(ip) + "/" +
           std::string(netmask) + " (--force sends it all the same)";
}

std::optional<std::vector<PlanLine>> ReadPlanFile(std::string_view text, bool allowForeignGateway,
                                                  PlanFileError& error)
{
    std::vector<PlanLine> plan;
    std::set<std::string> macs, ips;
    int number = 0;
    bool headingSeen = false;
    const auto fail = [&](std::string reason) {
        error = {number, std::move(reason)};
        return std::nullopt;
    };
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        ++number;
        if (number == 1 && line.substr(0, 3) == "\xEF\xBB\xBF")
            line.remove_prefix(3); // the byte order mark some editors write
        if (Trimmed(line).empty())
            continue;
        const std::vector<std::string_view> fields = Fields(line);
        if (!headingSeen) {
            std::string heading;
            for (std::string_view f : fields)
                heading += (heading.empty() ? "" : ",") + std::string(f);
            if (heading != kPlanFileHeading)
                return fail(std::string("the heading must read \"") + kPlanFileHeading + "\"");
            headingSeen = true;
            continue;
        }
        if (fields.size() != 5)
            return fail("5 fields wanted (" + std::string(kPlanFileHeading) + "), not " +
                        std::to_string(fields.size()));
        const std::optional<std::string> mac = CanonicalMac(fields[0]);
        if (!mac)
            return fail("\"" + std::string(fields[0]) + "\" is no MAC address");
        PlanLine entry{number, *mac, std::string(fields[1]), std::string(fields[2]), std::string(fields[3]),
                       std::string(fields[4])};
        const SetupAddresses addresses{entry.ip, entry.netmask, entry.gateway, entry.dns};
        if (const auto problem = CheckSetupRequest(addresses))
            return fail(RefusalText(*problem, addresses));
        if (!allowForeignGateway && !GatewayInSubnet(entry.ip, entry.netmask, entry.gateway))
            return fail(ForeignGatewayReason(entry.ip, entry.netmask, entry.gateway));
        if (!macs.insert(entry.mac).second)
            return fail("the MAC " + entry.mac + " is planned twice");
        if (!ips.insert(entry.ip).second)
            return fail("the ip " + entry.ip + " is planned twice");
        plan.push_back(std::move(entry));
    }
    if (!headingSeen) {
        number = 1;
        return fail(std::string("empty: the heading \"") + kPlanFileHeading + "\" is missing");
    }
    if (plan.empty()) {
        number = 0;
        return fail("the plan lists no device");
    }
    return plan;
}

std::string WritePlanFile(const std::vector<PlanLine>& lines)
{
    std::string text = std::string(kPlanFileHeading) + '\n';
    for (const PlanLine& l : lines)
        text += l.mac + ',' + l.ip + ',' + l.netmask + ',' + l.gateway + ',' + l.dns + '\n';
    return text;
}

} // namespace Discovery
