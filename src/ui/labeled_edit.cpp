// SPDX-License-Identifier: MIT
#include "ui/labeled_edit.h"

#include <QEvent>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace Gui {

LabeledEdit::LabeledEdit(const QString& name, const QString& caption, QWidget* parent)
    : QWidget(parent)
{
    setObjectName(name);
    m_label = new QLabel(caption, this);
    m_label->setObjectName(name + QStringLiteral("Label"));
    m_edit = new QLineEdit(this);
    m_edit->setObjectName(name + QStringLiteral("Edit"));
    m_label->setBuddy(m_edit);
    // A screen reader names the edit after its label.
    m_edit->setAccessibleName(caption);
    m_edit->installEventFilter(this);
    setFocusProxy(m_edit);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(m_label);
    layout->addWidget(m_edit);
}

// The edit outlives this part of the object while Qt tears the children
// down; its last focus change must not reach a half-destroyed filter.
LabeledEdit::~LabeledEdit()
{
    m_edit->removeEventFilter(this);
}

QString LabeledEdit::caption() const
{
    return m_label->text();
}

void LabeledEdit::setCaption(const QString& caption)
{
    m_label->setText(caption);
    m_edit->setAccessibleName(caption);
}

QString LabeledEdit::text() const
{
    return m_edit->text();
}

void LabeledEdit::setText(const QString& text)
{
    m_edit->setText(text);
}

bool LabeledEdit::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_edit) {
        if (event->type() == QEvent::FocusIn)
            emit entered(static_cast<QFocusEvent*>(event)->reason());
        else if (event->type() == QEvent::FocusOut)
            emit exited(static_cast<QFocusEvent*>(event)->reason());
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace Gui
