// SPDX-License-Identifier: MIT
#pragma once

#include "discovery/discovery_state.h"
#include "upnp/presentation_url.h"
#include "upnp/upnp_device_info.h"

#include <optional>
#include <span>
#include <string_view>

namespace Upnp {

// How the results routine ended: it changed nothing because the project
// filter no longer admits UPnP rows, or it added the rows and closed the round.
enum class ResultsEnd { EndedEarly, Done };

struct ResultsOutcome {
    ResultsEnd end = ResultsEnd::EndedEarly;
    // Devices the grid now shows (broadcast and UPnP rows together); 0 when
    // it ended early.
    int shown = 0;
};

// What the project filter tells the results routine to do with the grid.
enum class FilterAction { ClearRows, KeepRows, EndEarly };
FilterAction UpnpFilterAction(std::string_view projectFilter);

// The record every UPnP row starts from: zero-filled, "NULL" in netmask,
// gateway, dns, mac, dev and note.
Discovery::DeviceInfo PreparedUpnpRecord();

// Writes model, proj, name, ip and trigger_port of `working` for one engine
// record; false when the record gives no row (another maker, a Vivotek
// name without "(", a presentation URL without host). The other fields are
// left as they stand.
bool MapUpnpDevice(const UpnpDeviceInfo& device, Discovery::DeviceInfo& working);

// The UPnP results on the search state: the filter's decision, rows and list
// entries for the kept devices, then the round's closing rows.
ResultsOutcome ApplyUpnpResults(Discovery::DiscoveryState& state, std::span<const UpnpDeviceInfo> devices);

// The round's closing rows alone: a grid with no data rows gets one empty
// row under its heading; returns the number of devices shown.
int CloseUpnpRound(Discovery::DeviceGrid& grid);

} // namespace Upnp
