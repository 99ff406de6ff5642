// SPDX-License-Identifier: MIT
#pragma once

#include "cli/cli_options.h"

#include <optional>
#include <string>
#include <vector>

namespace Cli {

// What `quendrel-cli assign` was asked to do: addresses upward from --from
// for the devices found, or each device's own line of a plan file.
struct AssignOptions {
    std::string from, netmask, gateway, dns; // --from mode: all four given
    std::optional<std::string> planFile;     // --plan FILE.csv instead
    std::string project = "ALL";             // --project: which devices
    std::vector<std::string> macs;           // --mac (repeatable), canonical form
    std::optional<std::string> currentIp;    // --current-ip
    std::vector<std::string> interfaces;     // --interface NAME (repeatable)
    bool dryRun = false;                     // --dry-run: print the plan, send nothing
    int waitSeconds = 90;                    // --wait: how long to look for the devices
    bool force = false;                      // --force: a gateway outside the subnet is sent
    OutputFormat format = OutputFormat::Table;
    bool quiet = false;
};

// The longest --wait: an hour is more than any camera needs to restart.
inline constexpr int kMostAssignWaitSeconds = 3600;

// Parses the arguments after "assign". Returns nothing and sets `error` to a
// one-line message for bad options.
std::optional<AssignOptions> ParseAssignOptions(const std::vector<std::string>& args, std::string& error);

} // namespace Cli
