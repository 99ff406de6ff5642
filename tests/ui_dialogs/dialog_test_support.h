// SPDX-License-Identifier: MIT
#pragma once

#include "ui/dialog_message_box.h"

#include <QString>
#include <QStringList>

#include <vector>

class QWidget;

namespace DialogTest {

// Every message box a dialog raised, in order, instead of showing it.
class Boxes {
public:
    struct Box {
        QWidget* owner;
        QString caption;
        QString text;
    };
    Gui::MessageBoxHook hook();
    std::size_t count() const { return m_shown.size(); }
    const Box& last() const { return m_shown.back(); }
    // Each box as "caption|text", in order.
    QStringList seen() const;
    void clear() { m_shown.clear(); }

private:
    std::vector<Box> m_shown;
};

} // namespace DialogTest
