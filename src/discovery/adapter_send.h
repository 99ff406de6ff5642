// SPDX-License-Identifier: MIT
#pragma once

#include "discovery/network_interfaces.h"

#include <netinet/in.h>
#include <sys/types.h>

#include <string_view>

namespace Discovery {

// Sends `bytes` in one datagram on `socket` to `to`, out through adapter
// `via` when one is given (named per datagram with IP_PKTINFO, which needs
// no privilege), else by the routing table. sendmsg's result.
ssize_t SendThroughAdapter(int socket, const sockaddr_in& to, std::string_view bytes,
                           const NetworkInterface* via);

} // namespace Discovery
