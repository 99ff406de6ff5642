// SPDX-License-Identifier: MIT
#pragma once

#include "discovery/device_info.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace Gui {

// The detail info dialog: every field of one found device, read-only.
class TFormInfo final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY(TFormInfo)

public:
    explicit TFormInfo(QWidget* owner);

    // Shows the device's eleven fields, each up to its first zero byte.
    void Fill(const Discovery::DeviceInfo& device);

protected:
    void changeEvent(QEvent* event) override;

private:
    struct Row {
        QLabel* label = nullptr;
        QLineEdit* edit = nullptr;
    };

    void BuildControls();
    void ApplyTexts();

    // Rows in the order of the device's fields (model .. note).
    Row m_rows[Discovery::kDeviceFieldCount];
    QPushButton* m_BitBtn1 = nullptr;
};

} // namespace Gui
