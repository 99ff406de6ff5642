// SPDX-License-Identifier: MIT
#pragma once

#include "upnp/upnp_device_info.h"

#include <libgupnp/gupnp.h>

#include <optional>
#include <string>
#include <string_view>

namespace Upnp {

// Reads the root device of a fetched description document into a record:
// credentials taken out of its URLs (icon, manufacturer, model,
// presentation), every text cut to
// kUpnpTextLimit. Unset when the text is no device description (no XML, no
// <root> with a <device>). `udn` stands in when the device names none.
std::optional<UpnpDeviceInfo> ReadRootDescription(GUPnPContext* context, const std::string& location,
                                                  std::string_view document, const std::string& udn);

} // namespace Upnp
