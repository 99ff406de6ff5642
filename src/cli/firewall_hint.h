// SPDX-License-Identifier: MIT
#pragma once

#include <iosfwd>
#include <string>

namespace Cli {

// What a search that heard nothing can say about the local firewall. The
// cameras answer with broadcasts to UDP 6667 and UPnP cameras from UDP 1900;
// connection tracking matches neither to the query, so an active firewall
// drops them and the search looks like an empty network. The program only
// looks: it never changes a firewall.
enum class Firewall { None, Firewalld, Ufw, Nftables };

// The firewall that is active on this machine, checked in this order:
// firewalld running (firewall-cmd --state), ufw enabled (its configuration
// file), a readable nftables ruleset whose input hook drops or rejects by
// default. None when nothing is found or nothing can be read.
Firewall ActiveFirewall();

// True when `ruleset` (the text `nft list ruleset` prints) has an input-hook
// chain with a drop policy or a reject rule.
bool RulesetDropsInput(const std::string& ruleset);

// One line for stderr naming what to enable; empty for Firewall::None.
std::string FirewallHint(Firewall firewall);

// For a search that found nothing: the hint for the active firewall, if any,
// as one line on `err`.
void PrintFirewallHint(std::ostream& err);

} // namespace Cli
