// SPDX-License-Identifier: MIT
#pragma once

#include "upnp/search_options.h"

#include <chrono>

namespace TestSupport {

// A UPnP search on no adapter at all: it never reaches a network and ends
// once `minimum` has passed.
inline Upnp::UpnpSearchOptions OfflineUpnp(std::chrono::milliseconds minimum = std::chrono::milliseconds(20))
{
    Upnp::UpnpSearchOptions options;
    options.interfaces = std::vector<std::string>{};
    options.minimum = minimum;
    options.maximum = minimum + std::chrono::milliseconds(100);
    return options;
}

} // namespace TestSupport
