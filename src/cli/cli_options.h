// SPDX-License-Identifier: MIT
#pragma once

#include "discovery/network_interfaces.h"

#include <optional>
#include <string>
#include <vector>

namespace Cli {

enum class OutputFormat { Table, Csv, Json };

// What `quendrel-cli search` was asked to do.
struct SearchOptions {
    std::optional<std::string> relayHost; // --relay: search through a relay host
    std::string transport = "TCP";        // --transport: "TCP", "UDP" or "HttpCmd"
    std::string project = "ALL";          // --project: the project filter text
    OutputFormat format = OutputFormat::Table;
    bool allFields = false;               // --all-fields: table and CSV show all eleven fields
    bool quiet = false;                   // --quiet: no diagnostic log lines on stderr
    std::vector<std::string> interfaces;  // --interface NAME (repeatable): adapters to search on
};

// What `quendrel-cli watch` was asked to do: the search's filters, a round
// every `everySeconds`.
struct WatchOptions {
    SearchOptions search;
    int everySeconds = 15; // --every
};

// What `quendrel-cli setup` was asked to do.
struct SetupOptions {
    std::string mac;                      // --mac: the device to set up
    bool dhcp = false;                    // --dhcp, or else --static with the four addresses
    std::string ip, netmask, gateway, dns;
    std::optional<std::string> relayHost; // --relay: search and send through a relay host
    std::string transport = "TCP";        // --transport for the search through the relay
    std::vector<std::string> interfaces;
    bool quiet = false;
    bool force = false;                   // --force: send a gateway outside the ip's subnet
};

// Parses the arguments after "search". Returns nothing and sets `error` to a
// one-line message for bad options.
std::optional<SearchOptions> ParseSearchOptions(const std::vector<std::string>& args, std::string& error);

// The arguments after "watch": --every SECONDS and the search's options
// except --format and --all-fields (watch always prints JSON lines with
// every field).
std::optional<WatchOptions> ParseWatchOptions(const std::vector<std::string>& args, std::string& error);

std::optional<SetupOptions> ParseSetupOptions(const std::vector<std::string>& args, std::string& error);

// Reads the value of an option that takes one ("--relay HOST"); advances `i`.
bool TakeValue(const std::vector<std::string>& args, std::size_t& i, std::string& value, std::string& error);

// The arguments with every "--option=value" of an option that takes a value
// split into "--option" "value", so both spellings read alike. A value that
// follows its option is left whole, whatever it holds.
std::vector<std::string> SplitOptionValues(const std::vector<std::string>& args);

// Nothing when every --interface name is one of `adapters` (those a search
// can use); otherwise a one-line message that names the first that is not
// and lists the adapters there are.
std::optional<std::string> UnknownAdapter(const std::vector<std::string>& names,
                                          const std::vector<Discovery::NetworkInterface>& adapters);

} // namespace Cli
