// SPDX-License-Identifier: MIT
#pragma once

#include <string_view>

namespace Sim {

class DeviceStore;
class EventLog;

// Applies the flag-03 plain packet to the store and logs the outcome as
// {"event":"control","mac","type","result","applied"}.
void HandleControlPackage(std::string_view plain, DeviceStore& store, EventLog& log);

} // namespace Sim
