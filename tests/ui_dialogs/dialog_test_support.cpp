// SPDX-License-Identifier: MIT
#include "dialog_test_support.h"

namespace DialogTest {

Gui::MessageBoxHook Boxes::hook()
{
    return [this](QWidget* owner, const QString& caption, const QString& text) {
        m_shown.push_back({owner, caption, text});
    };
}

} // namespace DialogTest
