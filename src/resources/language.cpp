// SPDX-License-Identifier: MIT
#include "resources/language.h"

#include "resources/resource_module.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QGlobalStatic>
#include <QLocale>
#include <QThread>

#include <memory>
#include <mutex>
#include <shared_mutex>

namespace Resources {

namespace {

// The current language module; none means the built-in English texts. Texts
// are read under the shared lock, a swap takes the exclusive one, so a reader
// on another thread never sees a module being freed.
struct CurrentModule {
    std::shared_mutex mutex;
    std::unique_ptr<ResourceModule> module;
    quint16 localeId = 0; // the locale the module was loaded for
};
Q_GLOBAL_STATIC(CurrentModule, g_current)

bool IsAbbreviation(const QString& text)
{
    if (text.isEmpty())
        return false;
    for (const QChar c : text) {
        if (!(c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
            && !(c >= QLatin1Char('a') && c <= QLatin1Char('z')))
            return false;
    }
    return true;
}

} // namespace

// The module files to try for the program at `programPath`, in order: the
// program's file name with its extension replaced by `abbreviation` (appended
// after a "." when the name has none, as Linux programs do), then the same with
// the abbreviation cut to two letters. Both lie in the program's directory.
// Only the file name counts: a "." in a directory name is not an extension.
// An empty path, a path naming a directory, or an abbreviation that is not
// plain letters (it becomes part of a path) gives no names.
QStringList ModuleFileNames(const QString& programPath, const QString& abbreviation)
{
    if (!IsAbbreviation(abbreviation))
        return {};
    const qsizetype slash = programPath.lastIndexOf(QLatin1Char('/'));
    const QString directory = programPath.left(slash + 1);
    const QString fileName = programPath.mid(slash + 1);
    if (fileName.isEmpty())
        return {};

    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    // A leading "." marks a hidden file, not an extension.
    const QString stem = dot > 0 ? fileName.left(dot + 1) : fileName + QLatin1Char('.');

    QStringList names{directory + stem + abbreviation};
    if (abbreviation.size() > 2)
        names << directory + stem + abbreviation.left(2);
    return names;
}

// Loads the language module of `localeId` from beside the program at
// `programPath` and makes it current, replacing (and freeing) an earlier one.
// True when a module was loaded; otherwise the current texts stay as they are.
bool LoadNewResourceModule(quint16 localeId, const QString& programPath)
{
    const QStringList names = ModuleFileNames(programPath, LocaleAbbreviation(localeId));
    for (const QString& name : names) {
        auto module = std::make_unique<ResourceModule>();
        if (!module->load(name))
            continue;
        std::unique_ptr<ResourceModule> previous;
        {
            std::unique_lock lock(g_current->mutex);
            previous = std::exchange(g_current->module, std::move(module));
            g_current->localeId = localeId;
        }
        return true; // `previous` is freed here, outside the lock
    }
    return false;
}

// As above, for the running program's own file.
bool LoadNewResourceModule(quint16 localeId)
{
    return LoadNewResourceModule(localeId, ProgramFilePath());
}

// Tells every existing top-level window that the language changed, so each
// re-applies its texts from the current module. Without QtWidgets here, the
// change goes to the application object: QApplication passes a LanguageChange
// on to each of its top-level widgets (QGuiApplication to its windows), and a
// widget passes it on to its children. On the application's thread the posted
// changes are delivered before this returns; from another thread the change is
// posted and the windows update on the next pass of the event loop. Before the
// application exists there are no windows, and nothing happens.
void ReinitializeForms()
{
    QCoreApplication* app = QCoreApplication::instance();
    if (app == nullptr)
        return;
    if (QThread::currentThread() != app->thread()) {
        QCoreApplication::postEvent(app, new QEvent(QEvent::LanguageChange));
        return;
    }
    QEvent change(QEvent::LanguageChange);
    QCoreApplication::sendEvent(app, &change);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
}

// The start-up choice of language for a user of `locale`: the locale's Windows
// language identifier, through the language table, names the module to load
// beside `programPath`. Runs before the application object exists.
void ChooseLanguage(const QLocale& locale, const QString& programPath)
{
    const quint16 localeId = LocaleForLanguage(WindowsLanguageId(locale));
    if (LoadNewResourceModule(localeId, programPath))
        ReinitializeForms();
}

// As above, for the process locale and the running program.
void ChooseLanguage()
{
    ChooseLanguage(QLocale::system(), ProgramFilePath());
}

// The running program's file. Before the application object exists Qt cannot
// say, so the kernel's link to the executable is read instead.
QString ProgramFilePath()
{
    if (QCoreApplication::instance() != nullptr)
        return QCoreApplication::applicationFilePath();
    return QFile::symLinkTarget(QStringLiteral("/proc/self/exe"));
}

// The current module's text for identifier `id`; a null string when no module
// is loaded or it lacks the identifier.
QString CurrentModuleText(quint16 id)
{
    // A text read while the program's statics are torn down falls back to English.
    if (g_current.isDestroyed())
        return {};
    std::shared_lock lock(g_current->mutex);
    return g_current->module ? g_current->module->text(id) : QString();
}

// The file of the current module; empty while the English texts are in use.
QString CurrentModulePath()
{
    std::shared_lock lock(g_current->mutex);
    return g_current->module ? g_current->module->path() : QString();
}

// The language of the current module, which the window's layout direction and
// Qt's own texts follow; US English while the built-in texts are in use.
QLocale CurrentModuleLocale()
{
    std::shared_lock lock(g_current->mutex);
    return LocaleOf(g_current->module ? g_current->localeId : quint16{0x0409});
}

// Goes back to the built-in English texts.
void UnloadResourceModule()
{
    std::unique_ptr<ResourceModule> previous;
    {
        std::unique_lock lock(g_current->mutex);
        previous = std::move(g_current->module);
    }
}

} // namespace Resources
