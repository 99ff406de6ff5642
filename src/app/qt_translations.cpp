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
    // translation there is.
    if (!translator->load(locale, QStringLiteral("qt"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return nullptr;
    }
    QCoreApplication::installTranslator(translator);
    return translator;
}

} // namespace App
