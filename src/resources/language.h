// SPDX-License-Identifier: MIT
#pragma once

#include "resources/language_table.h"

#include <QString>
#include <QStringList>
#include <QtGlobal>

// Choosing the UI language and swapping the language module, the process-wide
// state behind Dvconst::LoadResString. A language module is a compiled Qt
// translation file beside the program, named after the program file with the
// locale's abbreviation as extension (quendrel.DEU, or quendrel.DE).
//
// Thread use: the module is chosen once at start-up, on the main thread, before
// any other thread exists; texts may then be read from any thread.
namespace Resources {

QStringList ModuleFileNames(const QString& programPath, const QString& abbreviation);

bool LoadNewResourceModule(quint16 localeId);
bool LoadNewResourceModule(quint16 localeId, const QString& programPath);
void ReinitializeForms();
void ChooseLanguage();
void ChooseLanguage(const QLocale& locale, const QString& programPath);

QString ProgramFilePath();
QString CurrentModuleText(quint16 id);
QString CurrentModulePath();
QLocale CurrentModuleLocale();
void UnloadResourceModule();

} // namespace Resources
