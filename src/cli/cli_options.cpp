// SPDX-License-Identifier: MIT
#include "cli/cli_options.h"

namespace Cli {

bool TakeValue(const std::vector<std::string>& args, std::size_t& i, std::string& value, std::string& error)
{
    if (i + 1 >= args.size()) {
        error = args[i] + " needs a value";
        return false;
    }
    value = args[++i];
    return true;
}

std::optional<SearchOptions> ParseSearchOptions(const std::vector<std::string>& args, std::string& error)
{
    SearchOptions options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        std::string value;
        if (arg == "--relay") {
            if (!TakeValue(args, i, value, error))
                return std::nullopt;
            if (value.empty()) {
                error = "--relay needs a host";
                return std::nullopt;
            }
            options.relayHost = value;
        } else if (arg == "--transport") {
            if (!TakeValue(args, i, value, error))
                return std::nullopt;
            if (value != "TCP" && value != "UDP" && value != "HttpCmd") {
                error = "--transport must be TCP, UDP or HttpCmd, not \"" + value + "\"";
                return std::nullopt;
            }
            options.transport = value;
        } else if (arg == "--project") {
            if (!TakeValue(args, i, value, error))
                return std::nullopt;
            options.project = value;
        } else if (arg == "--format") {
            if (!TakeValue(args, i, value, error))
                return std::nullopt;
            if (value == "table")
                options.format = OutputFormat::Table;
            else if (value == "csv")
                options.format = OutputFormat::Csv;
            else if (value == "json")
                options.format = OutputFormat::Json;
            else {
                error = "--format must be table, csv or json, not \"" + value + "\"";
                return std::nullopt;
            }
        } else if (arg == "--interface") {
            if (!TakeValue(args, i, value, error))
                return std::nullopt;
            options.interfaces.push_back(value);
        } else if (arg == "--quiet" || arg == "-q") {
            options.quiet = true;
        } else {
            error = "unknown option \"" + arg + "\" (see quendrel-cli --help)";
            return std::nullopt;
        }
    }
    return options;
}

std::optional<SetupOptions> ParseSetupOptions(const std::vector<std::string>& args, std::string& error)
{
    SetupOptions options;
    bool isStatic = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        std::string* target = nullptr;
        if (arg == "--mac")
            target = &options.mac;
        else if (arg == "--ip")
            target = &options.ip;
        else if (arg == "--netmask")
            target = &options.netmask;
        else if (arg == "--gateway")
            target = &options.gateway;
        else if (arg == "--dns")
            target = &options.dns;
        if (target != nullptr) {
            if (!TakeValue(args, i, *target, error))
                return std::nullopt;
            continue;
        }
        std::string value;
        if (arg == "--dhcp") {
            options.dhcp = true;
        } else if (arg == "--static") {
            isStatic = true;
        } else if (arg == "--relay") {
            if (!TakeValue(args, i, value, error))
                return std::nullopt;
            options.relayHost = value;
        } else if (arg == "--transport") {
            if (!TakeValue(args, i, value, error))
                return std::nullopt;
            if (value != "TCP" && value != "UDP" && value != "HttpCmd") {
                error = "--transport must be TCP, UDP or HttpCmd, not \"" + value + "\"";
                return std::nullopt;
            }
            options.transport = value;
        } else if (arg == "--interface") {
            if (!TakeValue(args, i, value, error))
                return std::nullopt;
            options.interfaces.push_back(value);
        } else if (arg == "--quiet" || arg == "-q") {
            options.quiet = true;
        } else {
            error = "unknown option \"" + arg + "\" (see quendrel-cli --help)";
            return std::nullopt;
        }
    }
    if (options.mac.empty()) {
        error = "--mac is required";
        return std::nullopt;
    }
    if (options.dhcp == isStatic) {
        error = "give exactly one of --dhcp and --static";
        return std::nullopt;
    }
    const bool anyAddress = !options.ip.empty() || !options.netmask.empty() || !options.gateway.empty() ||
                            !options.dns.empty();
    if (options.dhcp && anyAddress) {
        error = "--dhcp takes no addresses (the device's shown ones are sent)";
        return std::nullopt;
    }
    if (isStatic && (options.ip.empty() || options.netmask.empty() || options.gateway.empty() ||
                     options.dns.empty())) {
        error = "--static needs --ip, --netmask, --gateway and --dns";
        return std::nullopt;
    }
    return options;
}

} // namespace Cli
