// SPDX-License-Identifier: MIT
#pragma once

class QWidget;

namespace Gui {

// Makes the focused control of `window` show its focus indicator from the
// moment the window opens, however the focus got there.
void KeepFocusVisible(QWidget* window);

} // namespace Gui
