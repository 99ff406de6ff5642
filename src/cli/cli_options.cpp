// SPDX-License-Identifier: MIT
#include "cli/cli_options.h"

#include <stdexcept>

namespace Cli {

namespace {

enum class Parsed { NotCommon, Taken, Failed };

// The options search and setup share: where to search and how loudly.
Parsed ParseCommonOption(const std::vector<std::string>& args, std::size_t& i,
                         std::optional<std::string>& relayHost, std::string& transport,
                         std::vector<std::string>& interfaces, bool& quiet, std::string& error)
{
    const std::string& arg = args[i];
    std::string value;
    if (arg == "--quiet" || arg == "-q") {
        quiet = true;
        return Parsed::Taken;
    }
    if (arg != "--relay" && arg != "--transport" && arg != "--interface")
        return Parsed::NotCommon;
    if (!TakeValue(args, i, value, error))
        return Parsed::Failed;
    if (arg == "--relay") {
        if (value.empty()) {
            error = "--relay needs a host";
            return Parsed::Failed;
        }
        relayHost = value;
    } else if (arg == "--transport") {
        if (value != "TCP" && value != "UDP" && value != "HttpCmd") {
            error = "--transport must be TCP, UDP or HttpCmd, not \"" + value + "\"";
            return Parsed::Failed;
        }
        transport = value;
    } else {
        interfaces.push_back(value);
    }
    return Parsed::Taken;
}

} // namespace

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
    bool transportGiven = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const bool transport = args[i] == "--transport";
        const Parsed common = ParseCommonOption(args, i, options.relayHost, options.transport,
                                                options.interfaces, options.quiet, error);
        if (common == Parsed::Failed)
            return std::nullopt;
        if (common == Parsed::Taken) {
            transportGiven = transportGiven || transport;
            continue;
        }
        const std::string& arg = args[i];
        std::string value;
        if (arg == "--project") {
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
        } else {
            error = "unknown option \"" + arg + "\" (see quendrel-cli --help)";
            return std::nullopt;
        }
    }
    // A transport alone would be ignored: the local broadcast has none.
    if (transportGiven && !options.relayHost) {
        error = "--transport needs --relay HOST";
        return std::nullopt;
    }
    return options;
}

std::optional<WatchOptions> ParseWatchOptions(const std::vector<std::string>& args, std::string& error)
{
    // A day between rounds is the most that still reads as watching.
    constexpr int kMostSeconds = 86400;
    WatchOptions options;
    std::vector<std::string> searchArgs;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--format") {
            error = "watch prints JSON lines; it takes no --format";
            return std::nullopt;
        }
        if (args[i] != "--every") {
            searchArgs.push_back(args[i]);
            // A value is passed on with its option, so "--project --every" stays a project name.
            if (args[i] == "--relay" || args[i] == "--transport" || args[i] == "--project" ||
                args[i] == "--interface") {
                if (i + 1 < args.size())
                    searchArgs.push_back(args[++i]);
            }
            continue;
        }
        std::string value;
        if (!TakeValue(args, i, value, error))
            return std::nullopt;
        std::size_t used = 0;
        int seconds = 0;
        try {
            seconds = std::stoi(value, &used);
        } catch (const std::exception&) {
            used = 0;
        }
        if (used == 0 || used != value.size() || seconds < 1 || seconds > kMostSeconds) {
            error = "--every wants whole seconds from 1 to " + std::to_string(kMostSeconds) + ", not \"" + value + "\"";
            return std::nullopt;
        }
        options.everySeconds = seconds;
    }
    std::optional<SearchOptions> search = ParseSearchOptions(searchArgs, error);
    if (!search)
        return std::nullopt;
    options.search = std::move(*search);
    return options;
}

std::optional<SetupOptions> ParseSetupOptions(const std::vector<std::string>& args, std::string& error)
{
    SetupOptions options;
    bool isStatic = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const Parsed common = ParseCommonOption(args, i, options.relayHost, options.transport,
                                                options.interfaces, options.quiet, error);
        if (common == Parsed::Failed)
            return std::nullopt;
        if (common == Parsed::Taken)
            continue;
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
        if (arg == "--dhcp") {
            options.dhcp = true;
        } else if (arg == "--static") {
            isStatic = true;
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
