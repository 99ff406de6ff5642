// SPDX-License-Identifier: MIT
#pragma once

#include "discovery/device_info.h"
#include "ui/field_list_dialog.h"

namespace Gui {

// The detail info dialog: every field of one found device, read-only.
class TFormInfo final : public FieldListDialog {
    Q_OBJECT

public:
    explicit TFormInfo(QWidget* owner);

    // Shows the device's eleven fields, each up to its first zero byte.
    void Fill(const Discovery::DeviceInfo& device);
};

} // namespace Gui
