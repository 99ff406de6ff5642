// SPDX-License-Identifier: MIT
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace Cli {

// `quendrel-cli interfaces [--interface NAME]...`: the adapters a local
// broadcast search would use, one per line. Exit status 0, 2 for bad options.
int InterfacesCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace Cli
