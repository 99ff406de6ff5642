// SPDX-License-Identifier: MIT
#include "upnp/device_reader.h"

#include "upnp/glib_handles.h"

namespace Upnp {

namespace {

// Embedded devices and services are listed as new references; only the count matters.
int CountAndRelease(GList* list)
{
    const GObjectListPtr owned(list);
    return static_cast<int>(g_list_length(owned.get()));
}

} // namespace

UpnpDeviceInfo ReadRootDevice(GUPnPDeviceInfo* device)
{
    UpnpDeviceInfo info;
    const int children = CountAndRelease(gupnp_device_info_list_devices(device));
    info.children = ChildrenText(children);
    info.description = TakeText(gupnp_device_info_get_model_description(device));
    info.friendly_name = TakeText(gupnp_device_info_get_friendly_name(device));
    info.has_children = YesNo(children > 0);
    // The icon the finder asks for: a 32 x 32 GIF of depth 8, or the nearest one listed.
    info.icon_url = TakeText(gupnp_device_info_get_icon_url(device, "image/gif", 8, 32, 32, FALSE,
                                                            nullptr, nullptr, nullptr, nullptr));
    // Only root devices are searched for: nothing stands above them.
    info.is_root_device = YesNo(true);
    info.manufacturer_name = TakeText(gupnp_device_info_get_manufacturer(device));
    info.manufacturer_url = TakeText(gupnp_device_info_get_manufacturer_url(device));
    info.model_name = TakeText(gupnp_device_info_get_model_name(device));
    info.model_number = TakeText(gupnp_device_info_get_model_number(device));
    info.model_url = TakeText(gupnp_device_info_get_model_url(device));
    info.parent_device = kTopmostDevice;
    info.presentation_url = TakeText(gupnp_device_info_get_presentation_url(device));
    info.root_device = kTopmostDevice;
    info.serial_number = TakeText(gupnp_device_info_get_serial_number(device));
    info.services = ServicesText(CountAndRelease(gupnp_device_info_list_services(device)));
    info.type = BorrowedText(gupnp_device_info_get_device_type(device));
    info.unique_device_name = BorrowedText(gupnp_device_info_get_udn(device));
    info.upc = TakeText(gupnp_device_info_get_upc(device));
    return info;
}

} // namespace Upnp
