// SPDX-License-Identifier: MIT
#include "ui/field_list_dialog.h"

#include "ui/right_to_left.h"
#include "ui/visible_focus.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <numeric>

namespace Gui {

FieldListDialog::FieldListDialog(QWidget* owner, const char* objectName, const Dvconst::ResourceString& title,
                                 std::vector<Field> fields)
    : QDialog(owner), m_title(title)
{
    setObjectName(QString::fromLatin1(objectName));
    KeepFocusVisible(this);

    // Built first, so it has the focus at opening and Tab then reads the
    // fields in the order they were built.
    m_BitBtn1 = new QPushButton(QStringLiteral("OK"), this);
    m_BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    m_BitBtn1->setDefault(true);
    connect(m_BitBtn1, &QPushButton::clicked, this, &QDialog::accept);

    for (Field& field : fields) {
        Row& row = m_rows.emplace_back();
        row.label = new QLabel(QString::fromLatin1(field.caption->english), this);
        row.label->setObjectName(field.labelName);
        row.edit = new QLineEdit(this);
        row.edit->setObjectName(QString::fromLatin1(field.editName));
        // Shown only: nothing can be typed or changed, yet a long value such
        // as a presentation URL can be reached, scrolled through and copied.
        row.edit->setReadOnly(true);
        row.label->setBuddy(row.edit);
        row.field = std::move(field);
    }
    m_captionOrder.resize(m_rows.size());
    std::iota(m_captionOrder.begin(), m_captionOrder.end(), 0);
}

void FieldListDialog::ShowValues(const std::vector<QString>& values)
{
    for (std::size_t field = 0; field < m_rows.size() && field < values.size(); ++field) {
        m_rows[field].edit->setText(values[field]);
        // A long value shows from its start, cut at the box's right edge.
        m_rows[field].edit->setCursorPosition(0);
    }
}

void FieldListDialog::ApplyTexts()
{
    setWindowTitle(Dvconst::LoadResString(m_title));
    m_BitBtn1->setText(Dvconst::LoadResString(Dvconst::_OK));
    for (const int field : m_captionOrder) {
        const Row& row = m_rows[static_cast<std::size_t>(field)];
        row.label->setText(Dvconst::LoadResString(*row.field.caption));
        // A screen reader names the edit after its label.
        row.edit->setAccessibleName(row.label->text());
    }
}

void FieldListDialog::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        ApplyTexts();
    else if (event->type() == QEvent::LayoutDirectionChange)
        MirrorPlacedChildren(this);
    QDialog::changeEvent(event);
}

// The rows are placed by coordinates: a right-to-left language mirrors them,
// labels on the right, once the dialog has its size.
void FieldListDialog::showEvent(QShowEvent* event)
{
    MirrorPlacedChildren(this);
    QDialog::showEvent(event);
}

} // namespace Gui
