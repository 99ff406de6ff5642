// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include <functional>
#include <initializer_list>

class QWidget;

namespace Gui {

// The dialogs' message boxes ("Warning", "Note", "Error" with an OK button;
// the captions in the user's language).
// A dialog holds one of these so tests can take the box's place: a modal box
// on the offscreen platform would wait for a click nobody makes.
using MessageBoxHook = std::function<void(QWidget* owner, const QString& caption, const QString& text)>;

// Shows `text` modally over `owner` with `caption` and an OK button; the
// text can be selected and copied.
void ShowMessageBox(QWidget* owner, const QString& caption, const QString& text);

// Fills the "%s" of a message format with `args` in turn, with no length
// limit, so a long edit text is shown whole (and a "%" in it stays text).
QString FormatMessage(const char* format, std::initializer_list<QString> args);
QString FormatMessage(const QString& format, std::initializer_list<QString> args);

} // namespace Gui
