// SPDX-License-Identifier: MIT
#include "ui/visible_focus.h"

#include <QEvent>
#include <QWidget>

namespace Gui {

namespace {

// Fusion, the style these windows get on xcb and offscreen alike, paints a
// focus indicator only in a window marked Qt::WA_KeyboardFocusChange. Qt sets
// that mark when Tab moves the focus and clears it whenever the window is
// shown, so the control focused at opening (or by a click) showed nothing.
class FocusMarker final : public QObject {
public:
    explicit FocusMarker(QWidget* window) : QObject(window) { window->installEventFilter(this); }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show && watched == parent())
            static_cast<QWidget*>(watched)->setAttribute(Qt::WA_KeyboardFocusChange);
        return false;
    }
};

} // namespace

void KeepFocusVisible(QWidget* window)
{
    new FocusMarker(window);
}

} // namespace Gui
