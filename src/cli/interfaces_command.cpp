// SPDX-License-Identifier: MIT
#include "cli/interfaces_command.h"

#include "cli/cli_options.h"
#include "discovery/network_interfaces.h"

#include <ostream>

namespace Cli {

int InterfacesCommand(const std::vector<std::string>& given, std::ostream& out, std::ostream& err)
{
    const std::vector<std::string> args = SplitOptionValues(given);
    std::vector<std::string> only;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string value, error;
        if (args[i] != "--interface") {
            err << "quendrel-cli interfaces: unknown option \"" << args[i] << "\"\n";
            return 2;
        }
        if (!TakeValue(args, i, value, error)) {
            err << "quendrel-cli interfaces: " << error << '\n';
            return 2;
        }
        only.push_back(value);
    }
    // A name that is no adapter is a typing slip, as in a search.
    if (const auto unknown = UnknownAdapter(only, Discovery::BroadcastInterfaces({}))) {
        err << "quendrel-cli interfaces: " << *unknown << '\n';
        return 2;
    }
    const auto adapters = Discovery::BroadcastInterfaces(only);
    for (const Discovery::NetworkInterface& a : adapters)
        out << a.name << '\t' << Discovery::AddressText(a.address) << '\t' << Discovery::AddressText(a.netmask)
            << '\n';
    if (adapters.empty())
        err << "No adapter that is up and can broadcast"
            << (only.empty() ? "" : " among the ones named") << "; a search uses the routed broadcast.\n";
    return 0;
}

} // namespace Cli
