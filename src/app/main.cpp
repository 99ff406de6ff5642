// SPDX-License-Identifier: MIT
// The Quendrel window program: chooses the UI language, then shows the main
// window until it is closed.
#include "app/qt_translations.h"
#include "app/quendrel_application.h"
#include "app/startup_windows.h"
#include "resources/language.h"

#include <QGuiApplication>
#include <QLocale>

#include <exception>
#include <memory>

int main(int argc, char** argv)
{
    std::unique_ptr<App::QuendrelApplication> app;
    QString failure;
    bool failed = false;
    try {
        // First of all, so every window built afterwards reads the chosen texts.
        Resources::ChooseLanguage();

        app = std::make_unique<App::QuendrelApplication>(argc, argv);
        // The fixed program title, not a translated text.
        QApplication::setApplicationName(QStringLiteral("Quendrel"));
        // Qt's standard menus and buttons in the window's language; with the
        // built-in English texts they stay English too.
        if (!Resources::CurrentModulePath().isEmpty()) {
            const QLocale language = Resources::CurrentModuleLocale();
            App::InstallQtTranslations(language);
            // Persian runs right to left: every window mirrors, the grid's
            // first column on the right.
            QGuiApplication::setLayoutDirection(language.textDirection());
        }

        // MainForm, then the hidden Form1; both go when this block ends.
        const App::StartupWindows windows = App::CreateStartupWindows();
        windows.mainForm->show();

        QApplication::exec();
    } catch (const std::exception& error) {
        failed = true;
        failure = QString::fromLocal8Bit(error.what());
    } catch (...) {
        failed = true;
    }
    if (failed) {
        // A message box needs the application object, which may not exist yet.
        if (!app)
            app = std::make_unique<App::QuendrelApplication>(argc, argv);
        App::ShowException(failure);
    }
    return 0;
}
