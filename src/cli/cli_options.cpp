// SPDX-License-Identifier: MIT
#include "cli/cli_options.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <stdexcept>
#include <string_view>

namespace Cli {

namespace {

enum class Parsed { NotCommon, Taken, Failed };

// Every option of any command that takes a value.
constexpr std::array<std::string_view, 11> kValueOptions = {
    "--relay", "--transport", "--interface", "--project", "--format", "--every",
    "--mac",   "--ip",        "--netmask",   "--gateway", "--dns"};

bool TakesValue(std::string_view option)
{
    return std::find(kValueOptions.begin(), kValueOptions.end(), option) != kValueOptions.end();
}

bool SameLetters(std::string_view a, std::string_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
}

// The road's own spelling of a transport typed in any letter case; empty for none.
std::string_view TransportNamed(std::string_view typed)
{
    for (std::string_view road : {"TCP", "UDP", "HttpCmd"})
        if (SameLetters(typed, road))
            return road;
    return {};
}

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
        const std::string_view road = TransportNamed(value);
        if (road.empty()) {
            error = "--transport must be TCP, UDP or HttpCmd, not \"" + value + "\"";
            return Parsed::Failed;
        }
        transport = road;
    } else {
        interfaces.push_back(value);
    }
    return Parsed::Taken;
}

// A name that is no adapter would make the search go nowhere and report
// "0 device(s) found!"; it is refused before anything is searched.
bool AdaptersExist(const std::vector<std::string>& names, std::string& error)
{
    if (names.empty())
        return true;
    const std::optional<std::string> unknown = UnknownAdapter(names, Discovery::BroadcastInterfaces());
    if (unknown)
        error = *unknown;
    return !unknown;
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

std::vector<std::string> SplitOptionValues(const std::vector<std::string>& args)
{
    std::vector<std::string> split;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (TakesValue(arg)) {
            split.push_back(arg);
            if (i + 1 < args.size())
                split.push_back(args[++i]);
            continue;
        }
        const std::size_t equals = arg.find('=');
        if (arg.starts_with("--") && equals != std::string::npos && TakesValue(arg.substr(0, equals))) {
            split.push_back(arg.substr(0, equals));
            split.push_back(arg.substr(equals + 1));
            continue;
        }
        split.push_back(arg);
    }
    return split;
}

std::optional<std::string> UnknownAdapter(const std::vector<std::string>& names,
                                          const std::vector<Discovery::NetworkInterface>& adapters)
{
    for (const std::string& name : names) {
        if (std::any_of(adapters.begin(), adapters.end(),
                        [&](const Discovery::NetworkInterface& a) { return a.name == name; }))
            continue;
        std::string message = "--interface \"" + name + "\" names no adapter that is up and can broadcast; ";
        if (adapters.empty())
            return message + "this machine has none";
        message += "the adapters are:";
        for (const Discovery::NetworkInterface& a : adapters)
            message += (&a == &adapters.front() ? " " : ", ") + a.name + " (" + Discovery::AddressText(a.address) +
                       "/" + Discovery::AddressText(a.netmask) + ")";
        return message;
    }
    return std::nullopt;
}

std::optional<SearchOptions> ParseSearchOptions(const std::vector<std::string>& given, std::string& error)
{
    const std::vector<std::string> args = SplitOptionValues(given);
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
        } else if (arg == "--all-fields") {
            options.allFields = true;
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
    if (!AdaptersExist(options.interfaces, error))
        return std::nullopt;
    return options;
}

std::optional<WatchOptions> ParseWatchOptions(const std::vector<std::string>& given, std::string& error)
{
    // A day between rounds is the most that still reads as watching.
    constexpr int kMostSeconds = 86400;
    const std::vector<std::string> args = SplitOptionValues(given);
    WatchOptions options;
    std::vector<std::string> searchArgs;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--format" || args[i] == "--all-fields") {
            error = "watch prints JSON lines with every field; it takes no " + args[i];
            return std::nullopt;
        }
        if (args[i] != "--every") {
            searchArgs.push_back(args[i]);
            // A value is passed on with its option, so "--project --every" stays a project name.
            if (TakesValue(args[i]) && i + 1 < args.size())
                searchArgs.push_back(args[++i]);
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

std::optional<SetupOptions> ParseSetupOptions(const std::vector<std::string>& given, std::string& error)
{
    const std::vector<std::string> args = SplitOptionValues(given);
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
        } else if (arg == "--force") {
            options.force = true;
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
    if (isStatic) {
        std::vector<std::string> missing;
        for (const auto& [name, text] : {std::pair{"--ip", &options.ip}, std::pair{"--netmask", &options.netmask},
                                         std::pair{"--gateway", &options.gateway}, std::pair{"--dns", &options.dns}})
            if (text->empty())
                missing.emplace_back(name);
        if (!missing.empty()) {
            error = "--static needs --ip, --netmask, --gateway and --dns; missing:";
            for (const std::string& name : missing)
                error += " " + name;
            return std::nullopt;
        }
    }
    if (!AdaptersExist(options.interfaces, error))
        return std::nullopt;
    return options;
}

} // namespace Cli
