// SPDX-License-Identifier: MIT
#pragma once

#include "ui/field_list_dialog.h"
#include "upnp/upnp_device_info.h"

namespace Gui {

// The UPnP device detail dialog: the nineteen texts of one UPnP device, each
// under the name of the property it came from, read-only.
class TForm1 final : public FieldListDialog {
    Q_OBJECT

public:
    static constexpr int kClientWidth = 479;
    static constexpr int kClientHeight = 642;

    explicit TForm1(QWidget* owner);

    // Shows the record's texts as the engine stored them, its own phrases
    // ("Yes", "No: Zero children", ...) in the user's language.
    void Fill(const Upnp::UpnpDeviceInfo& device);
};

} // namespace Gui
