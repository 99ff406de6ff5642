// SPDX-License-Identifier: MIT
#pragma once

#include "upnp/upnp_device_info.h"

#include <libgupnp/gupnp.h>

namespace Upnp {

// Reads a root device's description into a fresh record, field by field in
// record order. Every device starts from an empty record, so a value the
// description lacks reads as empty rather than as the previous device's.
UpnpDeviceInfo ReadRootDevice(GUPnPDeviceInfo* device);

} // namespace Upnp
