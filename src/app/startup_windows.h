// SPDX-License-Identifier: MIT
#pragma once

#include "ui/main_form.h"
#include "ui/upnp_info_form.h"

#include <memory>

namespace App {

// The two windows that live for the whole run.
struct StartupWindows {
    std::unique_ptr<Gui::TMainForm> mainForm;
    // Owned by the main window (its Qt parent); hidden until used.
    Gui::TForm1* form1 = nullptr;
};

// Start-up's window steps, in order: the main window MainForm, then the
// hidden UPnP detail window Form1. Neither is shown here.
StartupWindows CreateStartupWindows();

} // namespace App
