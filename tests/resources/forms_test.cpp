// SPDX-License-Identifier: MIT
// ReinitializeForms speaks only QtCore; this checks that the language change
// really reaches the widgets a QApplication owns.
#include "resources/dvconst.h"
#include "resources/language.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QEvent>
#include <QPushButton>
#include <QThread>
#include <QWidget>

#include <memory>
#include <thread>

namespace {

// A window that re-applies its caption from the text table on every change.
class CountingWindow final : public QWidget {
public:
    explicit CountingWindow(QWidget* parent = nullptr) : QWidget(parent) { retranslate(); }
    int changes = 0;

protected:
    void changeEvent(QEvent* event) override
    {
        if (event->type() == QEvent::LanguageChange) {
            ++changes;
            retranslate();
        }
        QWidget::changeEvent(event);
    }

private:
    void retranslate() { setWindowTitle(Dvconst::LoadResString(Dvconst::_QUENDREL)); }
};

class CountingButton final : public QPushButton {
public:
    explicit CountingButton(QWidget* parent) : QPushButton(parent) {}
    int changes = 0;

protected:
    void changeEvent(QEvent* event) override
    {
        if (event->type() == QEvent::LanguageChange) {
            ++changes;
            setText(Dvconst::LoadResString(Dvconst::_CLOSE));
        }
        QPushButton::changeEvent(event);
    }
};

} // namespace

TEST(ReinitializeForms, WithoutAnApplicationDoesNothing)
{
    ASSERT_EQ(QCoreApplication::instance(), nullptr);
    Resources::ReinitializeForms(); // must neither crash nor create anything
    EXPECT_EQ(QCoreApplication::instance(), nullptr);
}

TEST(ReinitializeForms, ReachesEveryTopLevelWindowAndItsChildren)
{
    // No display here: run offscreen unless told otherwise.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    int argc = 1;
    char name[] = "forms_test";
    char* argv[] = {name, nullptr};
    QApplication app(argc, argv);

    CountingWindow shown;
    auto* button = new CountingButton(&shown); // owned by its parent
    shown.show();
    CountingWindow hidden;
    QCoreApplication::processEvents();
    const int shownBefore = shown.changes;
    const int hiddenBefore = hidden.changes;
    const int buttonBefore = button->changes;

    // On the application's thread the windows have their new texts on return.
    Resources::ReinitializeForms();
    EXPECT_EQ(shown.changes, shownBefore + 1);
    EXPECT_EQ(hidden.changes, hiddenBefore + 1);
    EXPECT_EQ(button->changes, buttonBefore + 1);
    EXPECT_EQ(button->text(), QStringLiteral("Close"));

    // From another thread the change is posted and lands with the event loop.
    std::thread worker([] { Resources::ReinitializeForms(); });
    worker.join();
    EXPECT_EQ(shown.changes, shownBefore + 1);
    QCoreApplication::sendPostedEvents(); // the application's own event
    QCoreApplication::sendPostedEvents(); // what it passed on to the windows
    EXPECT_EQ(shown.changes, shownBefore + 2);
    EXPECT_EQ(hidden.changes, hiddenBefore + 2);
}
