// SPDX-License-Identifier: MIT
#include "cli/firewall_hint.h"

#include <QEventLoop>

#include <ostream>

namespace Cli {

std::string FirewallHint(Discovery::Firewall firewall)
{
    switch (firewall) {
    case Discovery::Firewall::Firewalld:
        return "No device answered and firewalld is running; to let the answers in, enable the quendrel "
               "service: sudo firewall-cmd --permanent --add-service=quendrel && sudo firewall-cmd --reload";
    case Discovery::Firewall::Ufw:
        return "No device answered and ufw is active; to let the answers in, enable the Quendrel profile: "
               "sudo ufw allow Quendrel";
    case Discovery::Firewall::Nftables:
        return "No device answered and the nftables input chain drops or rejects by default; allow UDP "
               "to port 6667 in (device answers) and UDP from source port 1900 (UPnP camera answers)";
    case Discovery::Firewall::None:
        break;
    }
    return {};
}

void PrintFirewallHint(std::ostream& err)
{
    Discovery::FirewallProbe probe;
    Discovery::Firewall firewall = Discovery::Firewall::None;
    QEventLoop loop;
    QObject::connect(&probe, &Discovery::FirewallProbe::found, &loop, [&](Discovery::Firewall found) {
        firewall = found;
        loop.quit();
    });
    probe.start();
    loop.exec();
    const std::string hint = FirewallHint(firewall);
    if (!hint.empty())
        err << "quendrel-cli: " << hint << '\n';
}

} // namespace Cli
