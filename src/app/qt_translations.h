// SPDX-License-Identifier: MIT
#pragma once

#include <QLocale>
#include <QTranslator>

namespace App {

// Installs Qt's own translations (qtbase: edit-field context menus, standard
// buttons and dialogs) for `locale` in the running application, so they
// follow the language of the window's own texts. The installed translator,
// owned by the application; null when none was found.
QTranslator* InstallQtTranslations(const QLocale& locale);

} // namespace App
