// SPDX-License-Identifier: MIT
#include "upnp/upnp_device_info.h"

#include "resources/dvconst.h"

namespace Upnp {

std::string* FieldAt(UpnpDeviceInfo& info, int index)
{
    switch (index) {
    case 0: return &info.children;
    case 1: return &info.description;
    case 2: return &info.friendly_name;
    case 3: return &info.has_children;
    case 4: return &info.icon_url;
    case 5: return &info.is_root_device;
    case 6: return &info.manufacturer_name;
    case 7: return &info.manufacturer_url;
    case 8: return &info.model_name;
    case 9: return &info.model_number;
    case 10: return &info.model_url;
    case 11: return &info.parent_device;
    case 12: return &info.presentation_url;
    case 13: return &info.root_device;
    case 14: return &info.serial_number;
    case 15: return &info.services;
    case 16: return &info.type;
    case 17: return &info.unique_device_name;
    case 18: return &info.upc;
    default: return nullptr;
    }
}

const std::string* FieldAt(const UpnpDeviceInfo& info, int index)
{
    return FieldAt(const_cast<UpnpDeviceInfo&>(info), index);
}

namespace {

// `key`'s English text with its "%s" replaced by `count`.
std::string WithCount(const Dvconst::ResourceString& key, int count)
{
    std::string text = key.english;
    const std::size_t at = text.find("%s");
    if (at != std::string::npos)
        text.replace(at, 2, std::to_string(count));
    return text;
}

} // namespace

std::string ChildrenText(int count)
{
    if (count <= 0)
        return Dvconst::_UPNP_NO_CHILDREN.english;
    if (count == 1)
        return Dvconst::_UPNP_ONE_CHILD.english;
    return WithCount(Dvconst::_UPNP_CHILDREN, count);
}

std::string ServicesText(int count)
{
    if (count <= 0)
        return Dvconst::_UPNP_NO_SERVICES.english;
    if (count == 1)
        return Dvconst::_UPNP_ONE_SERVICE.english;
    return WithCount(Dvconst::_UPNP_SERVICES, count);
}

std::string_view YesNo(bool value)
{
    return value ? Dvconst::_YES.english : Dvconst::_NO.english;
}

void CutText(std::string& text, std::size_t limit)
{
    if (text.size() <= limit)
        return;
    std::size_t end = limit;
    // Step back over continuation bytes to the start of the cut sequence.
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        --end;
    text.resize(end);
}

void CutTexts(UpnpDeviceInfo& info)
{
    for (int field = 0; field < kUpnpFieldCount; ++field)
        CutText(*FieldAt(info, field));
}

bool IsKeptManufacturer(std::string_view manufacturer)
{
    return manufacturer.find("AXIS") != std::string_view::npos ||
           manufacturer.find("Vivotek") != std::string_view::npos;
}

} // namespace Upnp
