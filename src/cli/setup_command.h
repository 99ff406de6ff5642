// SPDX-License-Identifier: MIT
#pragma once

#include "cli/cli_options.h"
#include "discovery/search_round.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace Cli {

// `quendrel-cli setup ...`: searches, finds the device by its MAC, fills the
// control package the way the network setup dialog does, checks the
// addresses as the dialog does, sends it and prints the dialog's message.
// Exit status: 0 sent, 1 device not found or sending failed, 2 bad options.
int SetupCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                 const Discovery::NetworkEndpoints& endpoints = {});

} // namespace Cli
