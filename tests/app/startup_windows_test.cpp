// SPDX-License-Identifier: MIT
// The windows start-up creates: the main window, then the hidden UPnP
// detail window, which goes with it.
#include "app/startup_windows.h"

#include <QPointer>
#include <QTest>

#include <gtest/gtest.h>

TEST(StartupWindows, MainFormThenAHiddenForm1ThatGoesWithIt)
{
    QPointer<Gui::TForm1> form1;
    {
        App::StartupWindows windows = App::CreateStartupWindows();
        ASSERT_NE(windows.mainForm, nullptr);
        ASSERT_NE(windows.form1, nullptr);
        form1 = windows.form1;
        EXPECT_EQ(windows.mainForm->objectName().toStdString(), "MainForm");
        EXPECT_EQ(windows.form1->objectName().toStdString(), "Form1");
        EXPECT_EQ(windows.form1->parent(), windows.mainForm.get());

        windows.mainForm->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(windows.mainForm.get()));
        EXPECT_FALSE(windows.form1->isVisible());
        // Its own window, not a part of the main window's face.
        EXPECT_TRUE(windows.form1->isWindow());
    }
    EXPECT_TRUE(form1.isNull());
}
