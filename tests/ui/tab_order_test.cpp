// SPDX-License-Identifier: MIT
// The keyboard's road through every window: Tab visits each control in
// reading order and comes back round, Shift+Tab walks the same road backwards,
// and whichever control holds the focus shows it.
#include "ui/assign_dialog.h"
#include "ui/device_grid_view.h"
#include "ui/form_info.h"
#include "ui/main_form.h"
#include "ui/net_form.h"
#include "ui/upnp_info_form.h"

#include "offline_upnp.h"
#include "replies.h"

#include <QApplication>
#include <QImage>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

std::string FocusName()
{
    const QWidget* focus = QApplication::focusWidget();
    return focus ? focus->objectName().toStdString() : std::string("(none)");
}

struct Window {
    const char* name;
    std::function<std::unique_ptr<QWidget>()> open;
    // Object names of the focusable controls, the one focused at opening first.
    std::vector<std::string> order;
};

} // namespace

TEST(TabOrder, EveryControlIsReachedBothWaysInReadingOrderAndShowsItsFocus)
{
    Discovery::MemoryLog log;
    const auto setupDialog = [&log](Discovery::NetworkType type) {
        auto form = std::make_unique<Gui::TNetForm>(nullptr, log);
        form->setMessageBox([](QWidget*, const QString& caption, const QString& text) {
            ADD_FAILURE() << caption.toStdString() << ": " << text.toStdString();
        });
        Discovery::DeviceInfo device{};
        Discovery::CopyToField(device.ip, "192.168.1.10");
        Discovery::CopyToField(device.netmask, "255.255.255.0");
        Discovery::CopyToField(device.gateway, "192.168.1.1");
        Discovery::CopyToField(device.dns, "192.168.1.2");
        form->Fill(device);
        form->ChooseNetworkType(type);
        return form;
    };

    // Two cameras in 203.0.113.0/24, a subnet no adapter of a test machine
    // has: the in-use check probes nothing.
    const auto assignDialog = [&log](const char* first, const char* netmask) {
        auto form = std::make_unique<Gui::TAssignForm>(nullptr, log);
        Discovery::DeviceInfo a{}, b{};
        for (auto* d : {&a, &b}) {
            Discovery::CopyToField(d->ip, "203.0.113.200");
            Discovery::CopyToField(d->netmask, "255.255.255.0");
            Discovery::CopyToField(d->gateway, "203.0.113.1");
            Discovery::CopyToField(d->dns, "203.0.113.1");
            Discovery::CopyToField(d->trigger_port, "80");
        }
        Discovery::CopyToField(a.mac, "02:00:5E:00:00:01");
        Discovery::CopyToField(b.mac, "02:00:5E:00:00:02");
        form->setTargets({{a, 0}, {b, 0}}, {a, b});
        form->setRange(first, netmask, "203.0.113.1", "203.0.113.1");
        form->askLanNow();
        EXPECT_TRUE(QTest::qWaitFor([&] { return !form->session().planning(); }, 5000));
        return form;
    };

    const Window windows[] = {
        // Tab leaves the grid (it used to move from cell to cell for good).
        {"main window",
         [] {
             auto form = std::make_unique<Gui::TMainForm>(TestSupport::OfflineUpnp());
             TestSupport::Feed(form->state(), {TestSupport::Reply("A", "10.0.0.1", "00:00:00:00:00:01"),
                                               TestSupport::Reply("B", "10.0.0.2", "00:00:00:00:00:02")});
             // A current row, so the focus arriving is all that changes on screen.
             auto* grid = form->findChild<Gui::DeviceGridView*>(QStringLiteral("StringGrid1"));
             grid->setCurrentIndex(grid->model()->index(0, 1));
             return std::unique_ptr<QWidget>(std::move(form));
         },
         {"Button1", "StringGrid1"}},
        // The device's identity takes no focus from the keyboard: Tab from
        // Close used to land in Model and be sent straight back to Close, so
        // the network types were never reached forwards. The two types are
        // one stop, the arrow keys move between them.
        {"network setup, as opened", [&] { return std::unique_ptr<QWidget>(setupDialog(Discovery::NetworkType::None)); },
         {"RadioButtonDhcp", "ButtonApply", "ButtonClose"}},
        {"network setup, static IP",
         [&] { return std::unique_ptr<QWidget>(setupDialog(Discovery::NetworkType::Static)); },
         {"RadioButtonDhcp", "LabeledEditIPEdit", "LabeledEditGatewayEdit", "LabeledEditNetmaskEdit",
          "LabeledEditDNSEdit", "ButtonApply", "ButtonClose"}},
        // Buttons that cannot act now (Apply before a whole plan, Stop while
        // nothing is awaited) are left out, and so is an empty list of
        // skipped addresses; the status and progress take no focus.
        {"assign addresses, plan refused",
         [&] { return std::unique_ptr<QWidget>(assignDialog("203.0.113.10", "255.0.255.0")); },
         {"First", "Netmask", "Gateway", "Dns", "Plan", "LoadPlan", "Close"}},
        {"assign addresses, plan ready, the gateway skipped",
         [&] { return std::unique_ptr<QWidget>(assignDialog("203.0.113.1", "255.255.255.0")); },
         {"First", "Netmask", "Gateway", "Dns", "Plan", "Skipped", "LoadPlan", "SavePlan", "Apply", "Close"}},
        {"detail info", [] { return std::unique_ptr<QWidget>(std::make_unique<Gui::TFormInfo>(nullptr)); },
         {"BitBtn1", "EditModel", "EditProj", "EditName", "EditIP", "EditNetmask", "EditGateway", "EditDNS",
          "EditMac", "EditDev", "EditPort", "EditNote"}},
        {"UPnP detail info", [] { return std::unique_ptr<QWidget>(std::make_unique<Gui::TForm1>(nullptr)); },
         {"BitBtn1", "EditChild", "EditDescription", "EditFriendName", "EditHasCh", "EditIconURL", "EditIsRooDev",
          "EditManuName", "EditManuURL", "EditModelName", "EditModelNum", "EditModelURL", "EditParentDev",
          "EditPresURL", "EditRootDev", "EditSeriaNum", "EditService", "EditType", "EditUniqName", "EditUPC"}},
    };

    for (const Window& row : windows) {
        SCOPED_TRACE(row.name);
        const std::unique_ptr<QWidget> window = row.open();
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));

        std::vector<std::string> forward{FocusName()};
        for (std::size_t i = 0; i < row.order.size(); ++i) {
            QWidget* focused = QApplication::focusWidget();
            ASSERT_NE(focused, nullptr);
            const QImage shown = focused->grab().toImage();
            QTest::keyClick(focused, Qt::Key_Tab);
            forward.push_back(FocusName());
            // A dialog's default button wears the focus outline all the time.
            const auto* button = qobject_cast<QPushButton*>(focused);
            if (!button || !button->isDefault()) {
                EXPECT_NE(focused->grab().toImage(), shown)
                    << focused->objectName().toStdString() << " looks the same with and without the focus";
            }
        }
        std::vector<std::string> expected = row.order;
        expected.push_back(row.order.front());
        EXPECT_EQ(forward, expected);

        std::vector<std::string> backward{FocusName()};
        for (std::size_t i = 0; i < row.order.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ShiftModifier);
            backward.push_back(FocusName());
        }
        EXPECT_EQ(backward, std::vector<std::string>(expected.rbegin(), expected.rend()));
    }
}
