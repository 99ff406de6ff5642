// SPDX-License-Identifier: MIT
#pragma once

#include "upnp/cancel_token.h"
#include "upnp/search_options.h"
#include "upnp/upnp_device_info.h"

#include <vector>

namespace Upnp {

struct RootDeviceSearchResult {
    std::vector<UpnpDeviceInfo> kept; // AXIS and Vivotek devices, in the order they were read
    SearchStats stats;
};

// One search for "upnp:rootdevice" on the chosen interfaces, run to its end
// on the calling thread inside a main context of its own. Blocks until the
// end rule of `options` is met or `cancel` is raised; a description still
// being fetched then is cancelled, its connection closed before the return.
RootDeviceSearchResult SearchRootDevices(const UpnpSearchOptions& options, CancelToken& cancel);

} // namespace Upnp
