// SPDX-License-Identifier: MIT
// Setup edits of any content: the address check, filling the record and
// building the package. A built package decodes back to the record's fields,
// and every address the check passes is a plain dotted quad.
#include "discovery/control_package.h"
#include "discovery/framing.h"
#include "discovery/packet.h"
#include "discovery/protocol_constants.h"
#include "discovery/setup_check.h"

#include <arpa/inet.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

std::string QuadText(std::uint32_t a)
{
    return std::to_string(a >> 24) + '.' + std::to_string(a >> 16 & 255) + '.' + std::to_string(a >> 8 & 255) +
           '.' + std::to_string(a & 255);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace Discovery;
    if (size == 0)
        return 0;
    // First byte: the network type; the rest: the ten edits, split at '\n'.
    const auto type = static_cast<NetworkType>(data[0] % 4);
    std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);
    SetupEdits edits;
    std::string* fields[] = {&edits.model, &edits.proj,    &edits.name, &edits.ip,  &edits.port,
                             &edits.netmask, &edits.gateway, &edits.dns, &edits.mac, &edits.dev};
    for (std::string* field : fields) {
        const std::size_t end = std::min(rest.find('\n'), rest.size());
        *field = std::string(rest.substr(0, end));
        rest.remove_prefix(std::min(end + 1, rest.size()));
    }

    if (!CheckSetupRequest({edits.ip, edits.netmask, edits.gateway, edits.dns})) {
        for (const std::string* address : {&edits.ip, &edits.netmask, &edits.gateway, &edits.dns}) {
            const auto value = ParseDottedQuad(*address);
            if (!value || QuadText(*value) != *address)
                std::abort();
        }
        if (inet_addr(edits.ip.c_str()) != htonl(*ParseDottedQuad(edits.ip)))
            std::abort();
    }

    DeviceInfo record{};
    const int tooLong = FillControlRecord(edits, type, record);
    if (tooLong >= kDeviceFieldCount)
        std::abort();
    for (int f = 0; f < kDeviceFieldCount; ++f)
        if (FieldAt(record, f).back() != '\0')
            std::abort();
    if (tooLong >= 0)
        return 0;

    static NullLog log;
    static std::vector<char> out(kDatagramBufferSize);
    std::fill(out.begin(), out.end(), '\0');
    if (BuildPacket(kControlPackage, out, &record, log) != 0 || out.back() != '\0')
        std::abort();
    // Decoded and inverted, the package is the text of the record's fields and its NUL.
    std::string expected = "Kestravon,03";
    for (int f = 0; f < kDeviceFieldCount; ++f)
        expected += "," + std::string(FieldText(FieldAt(record, f)));
    expected += '\0';
    std::vector<std::uint8_t> decoded(kDatagramBufferSize);
    const std::size_t n = Base64Decode(decoded, std::string_view(out.data()));
    InvertBytes(decoded.data(), n);
    if (std::string_view(reinterpret_cast<const char*>(decoded.data()), n) != expected)
        std::abort();
    return 0;
}
