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
    if (!translator->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return nullptr;
    }
    QCoreApplication::installTranslator(translator);
    return translator;
}

} // namespace App
