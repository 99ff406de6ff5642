// SPDX-License-Identifier: MIT
#include "cli/assign_options.h"

#include "discovery/mac_address.h"
#include "discovery/setup_check.h"

#include <stdexcept>

namespace Cli {

namespace {

std::optional<OutputFormat> FormatNamed(const std::string& name)
{
    if (name == "table")
        return OutputFormat::Table;
    if (name == "csv")
        return OutputFormat::Csv;
    if (name == "json")
        return OutputFormat::Json;
    return std::nullopt;
}

std::optional<int> WholeSeconds(const std::string& text)
{
    std::size_t used = 0;
    int seconds = 0;
    try {
        seconds = std::stoi(text, &used);
    } catch (const std::exception&) {
        return std::nullopt;
    }
    if (used != text.size() || seconds < 1 || seconds > kMostAssignWaitSeconds)
        return std::nullopt;
    return seconds;
}

} // namespace

std::optional<AssignOptions> ParseAssignOptions(const std::vector<std::string>& args, std::string& error)
{
    AssignOptions options;
    bool projectGiven = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--dry-run") {
            options.dryRun = true;
            continue;
        }
        if (arg == "--force") {
            options.force = true;
            continue;
        }
        if (arg == "--quiet" || arg == "-q") {
            options.quiet = true;
            continue;
        }
        std::string* address = arg == "--from"      ? &options.from
                               : arg == "--netmask" ? &options.netmask
                               : arg == "--gateway" ? &options.gateway
                               : arg == "--dns"     ? &options.dns
                                                    : nullptr;
        const bool takesValue = address != nullptr || arg == "--plan" || arg == "--project" || arg == "--mac" ||
                                arg == "--current-ip" || arg == "--interface" || arg == "--wait" ||
                                arg == "--format";
        if (!takesValue) {
            error = "unknown option \"" + arg + "\" (see quendrel-cli --help)";
            return std::nullopt;
        }
        std::string value;
        if (!TakeValue(args, i, value, error))
            return std::nullopt;
        if (address != nullptr) {
            *address = value;
        } else if (arg == "--plan") {
            options.planFile = value;
        } else if (arg == "--project") {
            options.project = value;
            projectGiven = true;
        } else if (arg == "--mac") {
            const std::optional<std::string> mac = Discovery::CanonicalMac(value);
            if (!mac) {
                error = "--mac wants a MAC address such as 00:1A:2B:3C:4D:5E, not \"" + value + "\"";
                return std::nullopt;
            }
            options.macs.push_back(*mac);
        } else if (arg == "--current-ip") {
            if (!Discovery::ParseDottedQuad(value)) {
                error = "--current-ip wants a dotted IPv4 address, not \"" + value + "\"";
                return std::nullopt;
            }
            options.currentIp = value;
        } else if (arg == "--interface") {
            options.interfaces.push_back(value);
        } else if (arg == "--wait") {
            const std::optional<int> seconds = WholeSeconds(value);
            if (!seconds) {
                error = "--wait wants whole seconds from 1 to " + std::to_string(kMostAssignWaitSeconds) +
                        ", not \"" + value + "\"";
                return std::nullopt;
            }
            options.waitSeconds = *seconds;
        } else {
            const std::optional<OutputFormat> format = FormatNamed(value);
            if (!format) {
                error = "--format must be table, csv or json, not \"" + value + "\"";
                return std::nullopt;
            }
            options.format = *format;
        }
    }
    const bool anyAddress =
        !options.from.empty() || !options.netmask.empty() || !options.gateway.empty() || !options.dns.empty();
    if (options.planFile) {
        if (anyAddress || !options.macs.empty() || options.currentIp || projectGiven) {
            error = "--plan names every device and its addresses: it takes no --from, --netmask, --gateway, "
                    "--dns, --mac, --current-ip or --project";
            return std::nullopt;
        }
        return options;
    }
    if (options.from.empty() || options.netmask.empty() || options.gateway.empty() || options.dns.empty()) {
        error = "give --from, --netmask, --gateway and --dns, or --plan FILE.csv";
        return std::nullopt;
    }
    return options;
}

} // namespace Cli
