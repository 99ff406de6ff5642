// SPDX-License-Identifier: MIT
#include "app/qt_translations.h"
#include "app/quendrel_application.h"

#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

// Throws from its event handler, as a faulty slot would.
class Thrower : public QObject {
public:
    bool throwKnown = true;
    bool event(QEvent* event) override
    {
        if (event->type() != QEvent::User)
            return QObject::event(event);
        if (throwKnown)
            throw std::runtime_error("relay table unreadable");
        throw 42;
    }
};

} // namespace

TEST(QuendrelApplication, ExceptionFromAHandlerIsShownAndTheLoopGoesOn)
{
    Thrower thrower;
    QString shown = QStringLiteral("<no box>");
    bool boxSeen = false;
    const auto watch = [&] {
        QTimer::singleShot(50, [&] {
            for (QWidget* w : QApplication::topLevelWidgets()) {
                if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible()) {
                    boxSeen = true;
                    shown = box->text();
                    box->accept();
                }
            }
        });
    };

    watch();
    QEvent first(QEvent::User);
    EXPECT_FALSE(QApplication::sendEvent(&thrower, &first));
    EXPECT_TRUE(boxSeen);
    EXPECT_EQ(shown.toStdString(), "relay table unreadable");

    // Something that is no exception type is shown with an empty message.
    boxSeen = false;
    thrower.throwKnown = false;
    watch();
    QEvent second(QEvent::User);
    QApplication::sendEvent(&thrower, &second);
    EXPECT_TRUE(boxSeen);
    EXPECT_TRUE(shown.isEmpty());

    // The application still delivers events afterwards.
    bool delivered = false;
    QTimer::singleShot(0, [&] { delivered = true; });
    QTest::qWait(20);
    EXPECT_TRUE(delivered);
}

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    App::QuendrelApplication app(argc, argv);
    return RUN_ALL_TESTS();
}

// A German window whose edit-field menus and standard buttons spoke English;
// Swedish and Portuguese ones did even after that, having no qtbase catalogue.
TEST(QtTranslations, StandardTextsFollowTheWindowsLanguage)
{
    struct Row {
        QLocale locale;
        const char* copy;
    };
    const Row rows[] = {
        {QLocale(QLocale::German, QLocale::Germany), "&Kopieren"},
        {QLocale(QLocale::Swedish, QLocale::Sweden), "&Kopiera"},
        {QLocale(QLocale::Portuguese, QLocale::Portugal), "&Copiar"},
        {QLocale(QLocale::Japanese, QLocale::Japan), nullptr},
        {QLocale(QLocale::NorwegianBokmal, QLocale::Norway), "&Kopier"},
        {QLocale(QLocale::Persian, QLocale::Iran), nullptr},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.locale.name().toStdString());
        QTranslator* translator = App::InstallQtTranslations(row.locale);
        ASSERT_NE(translator, nullptr);
        const QString copy = QCoreApplication::translate("QLineEdit", "&Copy");
        if (row.copy != nullptr)
            EXPECT_EQ(copy, QString::fromUtf8(row.copy));
        else
            EXPECT_NE(copy, QStringLiteral("&Copy"));
        QCoreApplication::removeTranslator(translator);
        delete translator;
    }
    QTranslator* german = App::InstallQtTranslations(QLocale(QLocale::German, QLocale::Germany));
    ASSERT_NE(german, nullptr);
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Abbrechen"));
    QCoreApplication::removeTranslator(german);
    delete german;
}
