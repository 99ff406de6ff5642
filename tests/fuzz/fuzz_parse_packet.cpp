// SPDX-License-Identifier: MIT
// One plain packet text of any content into a record.
#include "discovery/device_info.h"
#include "discovery/log_sink.h"
#include "discovery/packet.h"
#include "discovery/protocol_constants.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Discovery::NullLog log;
    Discovery::DeviceInfo info{};
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const int result = Discovery::ParsePacket(text, info, log);
    if (result < -1 || result > 1)
        std::abort();
    // Every field keeps its terminator.
    for (int f = 0; f < Discovery::kDeviceFieldCount; ++f)
        if (Discovery::FieldAt(info, f).back() != '\0')
            std::abort();
    // A parsed record builds again.
    static std::vector<char> out(Discovery::kDatagramBufferSize);
    Discovery::BuildPacket(Discovery::kDeviceReply, out, &info, log);
    return 0;
}
