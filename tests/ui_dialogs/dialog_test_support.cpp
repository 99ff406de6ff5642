// SPDX-License-Identifier: MIT
#include "dialog_test_support.h"

namespace DialogTest {

Gui::MessageBoxHook Boxes::hook()
{
    return [this](QWidget* owner, const QString& caption, const QString& text) {
        m_shown.push_back({owner, caption, text});
    };
}

QStringList Boxes::seen() const
{
    QStringList seen;
    for (const Box& box : m_shown)
        seen << box.caption + QLatin1Char('|') + box.text;
    return seen;
}

} // namespace DialogTest
