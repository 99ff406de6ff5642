// SPDX-License-Identifier: MIT
#include "cli/setup_command.h"

#include "cli/search_command.h"
#include "cli/static_addresses.h"
#include "cli/stream_log.h"
#include "discovery/control_package.h"
#include "discovery/mac_address.h"
#include "session/search_session.h"

#include <ostream>

namespace Cli {

int SetupCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                 const Discovery::NetworkEndpoints& endpoints)
{
    using namespace Discovery;
    std::string error;
    const std::optional<SetupOptions> options = ParseSetupOptions(args, error);
    if (!options) {
        err << "quendrel-cli setup: " << error << '\n';
        return 2;
    }

    // The address checks come first: nothing is searched for a refused request.
    if (!options->dhcp) {
        if (const int refused = CheckStaticAddresses({options->ip, options->netmask, options->gateway, options->dns},
                                                     options->force, err))
            return refused;
    }

    StreamLog log(err, options->quiet);
    DiscoveryState state(log);
    SearchOptions search;
    search.relayHost = options->relayHost;
    search.transport = options->transport;
    search.interfaces = options->interfaces;
    const RoundReport report = RunRound(state, search, endpoints);
    if (report.interrupted)
        return kInterruptedStatus;
    if (const std::string problem = ReplyPortProblem(report, endpoints); !problem.empty()) {
        err << "quendrel-cli setup: " << problem << '\n';
        return 1;
    }

    std::vector<const DeviceInfo*> matches;
    for (const DeviceInfo& device : state.devices)
        if (Discovery::SameMac(FieldText(device.mac), options->mac))
            matches.push_back(&device);
    if (matches.empty()) {
        err << "No device with MAC " << options->mac << " answered the search.\n";
        return 1;
    }
    if (matches.size() > 1) {
        err << matches.size() << " devices answered with MAC " << options->mac
            << "; set them up from the window, where each has its own row.\n";
        return 1;
    }
    const DeviceInfo& device = *matches.front();

    SetupEdits edits = EditsFromDevice(device);
    if (!options->dhcp) {
        edits.ip = options->ip;
        edits.netmask = options->netmask;
        edits.gateway = options->gateway;
        edits.dns = options->dns;
    }
    DeviceInfo record{};
    const int tooLong = FillControlRecord(edits, options->dhcp ? NetworkType::Dhcp : NetworkType::Static, record);
    if (tooLong >= 0) {
        err << "The " << kDeviceFieldNames[static_cast<std::size_t>(tooLong)] << " text is too long (at most "
            << FieldAt(record, tooLong).size() - 1 << " characters).\n";
        return 2;
    }

    const SearchSettings settings = MakeSearchSettings(options->relayHost, options->transport);
    bool adapterGone = false;
    const bool sent =
        SendControlPackage(record, settings, log, state.arrivalInterface(device), endpoints, &adapterGone) == 0;
    (sent ? out : err) << (sent ? kControlPackageSent : kControlPackageFailed) << '\n';
    if (adapterGone)
        (sent ? out : err) << kAdapterGoneNote << '\n';
    return sent ? 0 : 1;
}

} // namespace Cli
