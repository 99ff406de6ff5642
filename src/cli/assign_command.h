// SPDX-License-Identifier: MIT
#pragma once

#include "discovery/search_round.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace Cli {

// `quendrel-cli assign ...`: searches once, plans a static address for each
// chosen device (upward from --from, or from a plan file), skipping every
// address that is taken, checks every package, and then prints the plan
// (--dry-run) or sends the packages and searches again until each device
// answers from its new address or the wait ends.
// Exit status: 0 plan complete or every device confirmed, 1 a device not
// found, not confirmed or not sent to, 2 bad options, plan or addresses
// (nothing is sent then).
int AssignCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                  const Discovery::NetworkEndpoints& endpoints = {});

} // namespace Cli
