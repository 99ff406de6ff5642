// SPDX-License-Identifier: MIT
#include "cli/static_addresses.h"

#include "discovery/control_package.h"

#include <cstdio>
#include <ostream>
#include <string>

namespace Cli {

namespace {

std::string Format(const char* format, std::string_view a, std::string_view b = {}, std::string_view c = {})
{
    char text[1024];
    std::snprintf(text, sizeof text, format, std::string(a).c_str(), std::string(b).c_str(),
                  std::string(c).c_str());
    return text;
}

} // namespace

int CheckStaticAddresses(const Discovery::SetupAddresses& addresses, bool force, std::ostream& err)
{
    using namespace Discovery;
    if (const auto problem = CheckSetupRequest(addresses)) {
        const std::string_view refused = problem->field == kIp        ? addresses.ip
                                         : problem->field == kNetmask ? addresses.netmask
                                         : problem->field == kGateway ? addresses.gateway
                                                                      : addresses.dns;
        err << Format(kRefusedAddressFormat, SetupFieldCaption(problem->field), refused, problem->reason) << '\n';
        return 2;
    }
    // 0.0.0.0 is no gateway at all: nothing to route through, nothing to refuse.
    if (addresses.gateway == "0.0.0.0" || GatewayInSubnet(addresses.ip, addresses.netmask, addresses.gateway))
        return 0;
    if (force) {
        err << "Warning: " << Format(kUnreasonableGatewayFormat, addresses.gateway) << '\n';
        return 0;
    }
    const std::string subnet = std::string(addresses.ip) + "/" + std::string(addresses.netmask);
    err << Format(kRefusedAddressFormat, SetupFieldCaption(kGateway), addresses.gateway,
                  "outside the subnet of " + subnet + ", so the device could not reach it; --force sends it anyway")
        << '\n';
    return 2;
}

} // namespace Cli
