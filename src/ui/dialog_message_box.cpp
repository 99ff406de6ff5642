// SPDX-License-Identifier: MIT
#include "ui/dialog_message_box.h"

#include "resources/dvconst.h"

#include <QMessageBox>

namespace Gui {

void ShowMessageBox(QWidget* owner, const QString& caption, const QString& text)
{
    QMessageBox::Icon icon = QMessageBox::Information;
    if (caption == Dvconst::LoadResString(Dvconst::_WARNING) || caption == QLatin1String("Warning"))
        icon = QMessageBox::Warning;
    else if (caption == QLatin1String("Error"))
        icon = QMessageBox::Critical;
    QMessageBox box(icon, caption, text, QMessageBox::Ok, owner);
    // What a box names (an address, a refused text) can be copied from it.
    box.setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    box.exec();
}

QString FormatMessage(const char* format, std::initializer_list<QString> args)
{
    return FormatMessage(QString::fromUtf8(format), args);
}

QString FormatMessage(const QString& pattern, std::initializer_list<QString> args)
{
    QString out;
    auto next = args.begin();
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == QLatin1Char('%') && i + 1 < pattern.size() && pattern[i + 1] == QLatin1Char('s')) {
            if (next != args.end())
                out += *next++;
            ++i;
        } else {
            out += pattern[i];
        }
    }
    return out;
}

} // namespace Gui
