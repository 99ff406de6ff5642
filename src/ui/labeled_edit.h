// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;

namespace Gui {

// An edit box with its caption above it, as one control: hiding or
// disabling it hides or greys both. Focus given to it goes to the edit, and
// the edit's focus changes come out as entered() and exited().
class LabeledEdit final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY(LabeledEdit)

public:
    // `name` is the control's objectName; the caption and the edit are
    // named after it ("<name>Label", "<name>Edit").
    explicit LabeledEdit(const QString& name, const QString& caption, QWidget* parent);
    ~LabeledEdit() override;

    QLabel* label() const { return m_label; }
    QLineEdit* edit() const { return m_edit; }
    QString caption() const;
    void setCaption(const QString& caption);
    QString text() const;
    void setText(const QString& text);

signals:
    void entered(Qt::FocusReason reason);
    void exited(Qt::FocusReason reason);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* m_label = nullptr;
    QLineEdit* m_edit = nullptr;
};

} // namespace Gui
