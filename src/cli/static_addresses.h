// SPDX-License-Identifier: MIT
#pragma once

#include "discovery/setup_check.h"

#include <iosfwd>

namespace Cli {

// Checks the four addresses of a static setup from the command line before
// anything is searched or sent. Refused: what no device can take (the setup
// dialog's own check) and, unless `force`, a gateway outside the subnet of
// ip and netmask, which the window only warns about but which leaves a
// camera that nobody watches without a route. The refusal, or with `force`
// the window's warning, goes to `err`. Returns 2 (the exit status for bad
// options) when refused, 0 when the addresses may go.
int CheckStaticAddresses(const Discovery::SetupAddresses& addresses, bool force, std::ostream& err);

} // namespace Cli
