// SPDX-License-Identifier: MIT
// A UPnP device's manufacturer, friendly name, description and presentation
// URL, whatever they hold (the input's zero bytes part them): the record is
// cut and cleaned as the engine does it, then mapped into a row.
#include "upnp/presentation_url.h"
#include "upnp/upnp_results.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

std::string_view NextText(std::string_view& input)
{
    const std::size_t end = input.find('\0');
    const std::string_view text = input.substr(0, end);
    input = end == std::string_view::npos ? std::string_view() : input.substr(end + 1);
    return text;
}

void Require(bool holds)
{
    if (!holds)
        std::abort();
}

bool Contains(std::string_view text, std::string_view part)
{
    return text.find(part) != std::string_view::npos;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string_view input(reinterpret_cast<const char*>(data), size);
    Upnp::UpnpDeviceInfo device;
    device.manufacturer_name = NextText(input);
    device.friendly_name = NextText(input);
    device.description = NextText(input);
    const std::string url(NextText(input));
    device.presentation_url = Upnp::WithoutCredentials(url);
    Upnp::CutTexts(device);

    // What the dialog shows: no "@" left in the host part, the rest as it was.
    // The host part ends at a path, a query or a fragment, where an "@" is
    // no credential.
    const std::string& shown = device.presentation_url;
    if (const std::size_t slashes = shown.find("//"); slashes != std::string::npos) {
        const std::size_t end = shown.find_first_of("/?#", slashes + 2);
        Require(!Contains(std::string_view(shown).substr(slashes + 2, end - (slashes + 2)), "@"));
    }
    for (int field = 0; field < Upnp::kUpnpFieldCount; ++field)
        Require(Upnp::FieldAt(device, field)->size() <= Upnp::kUpnpTextLimit);

    Discovery::DeviceInfo working = Upnp::PreparedUpnpRecord();
    if (!Upnp::MapUpnpDevice(device, working))
        return 0;
    const std::string_view ip = Discovery::FieldText(working.ip);
    const std::string_view model = Discovery::FieldText(working.model);
    // A row has an address a device can answer to, never part of a password.
    Require(!ip.empty() && ip.front() != '[' && !Contains(ip, "@") && !Contains(ip, "/") && !Contains(ip, ":"));
    Require(Contains(device.presentation_url, ip));
    // AXIS comes first, letter case as written; a Vivotek name stops before "(".
    if (Contains(device.manufacturer_name, "AXIS")) {
        Require(model == "Axis 200 Series");
    } else {
        Require(model == "VivoTek 7000 Series" && Contains(device.manufacturer_name, "Vivotek"));
        Require(!Contains(Discovery::FieldText(working.name), "("));
    }
    Require(Discovery::FieldText(working.mac) == "NULL" && Discovery::FieldText(working.netmask) == "NULL");
    return 0;
}
