// SPDX-License-Identifier: MIT
#pragma once

#include "upnp/upnp_device_info.h"

#include <QDialog>

#include <array>

class QLabel;
class QLineEdit;
class QPushButton;

namespace Gui {

// The UPnP device detail dialog: the nineteen texts of one UPnP device, each
// under the name of the property it came from, read-only.
class TForm1 final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY(TForm1)

public:
    static constexpr int kClientWidth = 479;
    static constexpr int kClientHeight = 642;

    explicit TForm1(QWidget* owner);

    // Shows the record's texts exactly as the engine stored them.
    void Fill(const Upnp::UpnpDeviceInfo& device);

protected:
    void changeEvent(QEvent* event) override;

private:
    struct Row {
        QLabel* label = nullptr;
        QLineEdit* edit = nullptr;
    };

    void BuildControls();
    void ApplyTexts();

    // Rows in record order (children .. upc), which is also top to bottom.
    std::array<Row, Upnp::kUpnpFieldCount> m_rows{};
    QPushButton* m_BitBtn1 = nullptr;
};

} // namespace Gui
