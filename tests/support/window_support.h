// SPDX-License-Identifier: MIT
#pragma once

#include "ui/device_grid_model.h"
#include "ui/device_grid_view.h"
#include "ui/main_form.h"

#include <QPushButton>
#include <QTest>

// Tests that fill the window's grid directly tell its views, as the search
// session's rowsChanged does during a round.
inline void Refresh(Gui::DeviceGridView* grid)
{
    qobject_cast<Gui::DeviceGridModel*>(grid->model())->sync();
}

// Presses the search button and waits for the round's end: the button comes
// back only then. False when it never did.
inline bool SearchToEnd(Gui::TMainForm& form, int limitMs = 30000)
{
    auto* button = form.findChild<QPushButton*>(QStringLiteral("Button1"));
    form.Button1Click();
    return QTest::qWaitFor([button] { return button->isEnabled(); }, limitMs);
}
