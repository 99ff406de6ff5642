// SPDX-License-Identifier: MIT
#include "app/startup_windows.h"

namespace App {

StartupWindows CreateStartupWindows()
{
    StartupWindows windows;
    windows.mainForm = std::make_unique<Gui::TMainForm>();
    // The detail command opens dialogs of its own; this one only stands by.
    windows.form1 = new Gui::TForm1(windows.mainForm.get());
    return windows;
}

} // namespace App
