// SPDX-License-Identifier: MIT
#pragma once

#include "cli/cli_options.h"
#include "discovery/address_assignment.h"
#include "discovery/address_plan.h"

#include <string>
#include <vector>

namespace Cli {

// What `quendrel-cli assign` prints: each device with its address before
// and after, its status and the seconds until it was confirmed, then the
// addresses skipped and why. JSON is one object:
// {"devices": [{"mac", "name", "ip", "new_ip", "status", "seconds"}], "skipped": [{"ip", "reason"}]}.
// CSV has one line per device, then one per skipped address (status
// "skipped" and its reason); the table shows the skipped addresses below the devices.
std::string FormatAssignReport(const std::vector<Discovery::Assignment>& devices,
                               const std::vector<Discovery::SkippedAddress>& skipped, OutputFormat format);

} // namespace Cli
