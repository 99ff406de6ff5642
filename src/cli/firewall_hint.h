// SPDX-License-Identifier: MIT
#pragma once

#include "discovery/firewall_probe.h"

#include <iosfwd>
#include <string>

namespace Cli {

// One line for stderr naming what to enable; empty for Firewall::None.
std::string FirewallHint(Discovery::Firewall firewall);

// For a search that found nothing: the hint for the active firewall, if any,
// as one line on `err`.
void PrintFirewallHint(std::ostream& err);

} // namespace Cli
