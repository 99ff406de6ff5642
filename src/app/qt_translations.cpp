// SPDX-License-Identifier: MIT
#include "app/qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace App {

QTranslator* InstallQtTranslations(const QLocale& locale)
{
    QCoreApplication* app = QCoreApplication::instance();
    if (app == nullptr)
        return nullptr;
    // Owned by the application, which reads from it until it ends.
    auto* translator = new QTranslator(app);
    // "qt" rather than "qtbase": for most languages it names the qtbase
    // catalogue, and for some (Swedish, Portuguese of Portugal) it is the only
    // translation there is. Bokmål has none; Nynorsk's menus and buttons read
    // the same to its users ("Kopier", "Avbryt"), and beat English.
    const QString directory = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    bool loaded = translator->load(locale, QStringLiteral("qt"), QStringLiteral("_"), directory);
    if (!loaded && locale.language() == QLocale::NorwegianBokmal)
        loaded = translator->load(QLocale(QLocale::NorwegianNynorsk, QLocale::Norway), QStringLiteral("qt"),
                                  QStringLiteral("_"), directory);
    if (!loaded) {
        delete translator;
        return nullptr;
    }
    QCoreApplication::installTranslator(translator);
    return translator;
}

} // namespace App
