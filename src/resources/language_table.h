// SPDX-License-Identifier: MIT
#pragma once

#include <QList>
#include <QLocale>
#include <QString>
#include <QtGlobal>

// The mapping from the user's language to the language module to load, in the
// Windows terms the module names were defined in: a 16-bit language identifier
// (primary language in bits 0-9, sublanguage above), a locale identifier from
// the language table, and that locale's three-letter abbreviation.
namespace Resources {

quint16 WindowsLanguageId(const QLocale& locale);
quint16 LocaleForLanguage(quint16 languageId);
QString LocaleAbbreviation(quint16 localeId);
// Every locale the table can give other than US English, one per language
// module: simplified and traditional Chinese, then the table's rows in order.
QList<quint16> ModuleLocales();
// The language and territory of locale `localeId` (0x0816 Portuguese of
// Portugal, 0x0029 Persian); US English for one the program has no name for.
QLocale LocaleOf(quint16 localeId);

} // namespace Resources
