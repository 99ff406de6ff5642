// SPDX-License-Identifier: MIT
#pragma once

#include "resources/dvconst.h"

#include <QDialog>

#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;

namespace Gui {

// A dialog that shows one record as a list of fields, each under its
// caption, read-only, with an OK button that closes it. The detail info
// dialog and the UPnP detail dialog are two of them; each places its rows.
class FieldListDialog : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY(FieldListDialog)

public:
    struct Field {
        QString labelName;
        const char* editName;
        const Dvconst::ResourceString* caption;
    };

protected:
    // Builds the OK button first (it has the focus at opening), then a label
    // and a read-only edit per field, in field order.
    FieldListDialog(QWidget* owner, const char* objectName, const Dvconst::ResourceString& title,
                    std::vector<Field> fields);

    QLabel* label(int field) const { return m_rows[static_cast<std::size_t>(field)].label; }
    QLineEdit* edit(int field) const { return m_rows[static_cast<std::size_t>(field)].edit; }
    QPushButton* okButton() const { return m_BitBtn1; }
    int fieldCount() const { return static_cast<int>(m_rows.size()); }

    // Shows `values` by field index, each from its start.
    void ShowValues(const std::vector<QString>& values);
    // The captions, applied in this order of fields (field order by default).
    void setCaptionOrder(std::vector<int> order) { m_captionOrder = std::move(order); }
    void ApplyTexts();

    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    struct Row {
        Field field;
        QLabel* label = nullptr;
        QLineEdit* edit = nullptr;
    };

    const Dvconst::ResourceString& m_title;
    std::vector<Row> m_rows;
    std::vector<int> m_captionOrder;
    QPushButton* m_BitBtn1 = nullptr;
};

} // namespace Gui
