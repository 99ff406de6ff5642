// SPDX-License-Identifier: MIT
// Every language module the build ships, in the windows as a user of that
// language sees them: the module is found under its locale's name, holds
// every text, and each text fits its control at the default sizes.
#include "offline_upnp.h"
#include "replies.h"
#include "window_support.h"

#include "discovery/log_sink.h"
#include "resources/dvconst.h"
#include "resources/language.h"
#include "ui/assign_dialog.h"
#include "ui/form_info.h"
#include "ui/net_form.h"
#include "ui/upnp_info_form.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QStyleOptionComboBox>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>

namespace {

// Width (or height) a control's text needs and the room it has, by a name that
// is the same in every language (object names and positions, never the text).
using Widths = std::map<std::string, std::pair<int, int>>;

std::string Name(const QWidget* widget)
{
    std::string name;
    for (const QObject* o = widget; o != nullptr; o = o->parent())
        name = o->objectName().toStdString() + "/" + name;
    return name;
}

void MeasureControls(QWidget* window, Widths& widths)
{
    for (QWidget* widget : window->findChildren<QWidget*>()) {
        if (!widget->isVisibleTo(window))
            continue;
        const QFontMetrics metrics = widget->fontMetrics();
        if (auto* label = qobject_cast<QLabel*>(widget); label && !label->wordWrap() && !label->text().isEmpty()) {
            widths[Name(label)] = {label->sizeHint().width(), label->width()};
            // Accents and descenders need the font's whole line.
            widths[Name(label) + " height"] = {label->sizeHint().height(), label->height()};
        } else if (auto* button = qobject_cast<QAbstractButton*>(widget); button && !button->text().isEmpty()) {
            widths[Name(button)] = {button->sizeHint().width(), button->width()};
            widths[Name(button) + " height"] = {button->fontMetrics().height(), button->height()};
        } else if (auto* box = qobject_cast<QGroupBox*>(widget); box && !box->title().isEmpty()) {
            // The title sits inside the frame, a few pixels in from each side.
            widths[Name(box)] = {metrics.horizontalAdvance(box->title()) + 16, box->width()};
        } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
            for (int i = 0; i < combo->count(); ++i) {
                QStyleOptionComboBox option;
                option.initFrom(combo);
                const QSize text(metrics.horizontalAdvance(combo->itemText(i)), metrics.height());
                const QSize need = combo->style()->sizeFromContents(QStyle::CT_ComboBox, &option, text, combo);
                widths[Name(combo) + std::to_string(i)] = {need.width(), combo->width()};
            }
        } else if (auto* edit = qobject_cast<QLineEdit*>(widget); edit && !edit->text().isEmpty()) {
            widths[Name(edit)] = {metrics.horizontalAdvance(edit->text()) + 8, edit->width()};
        } else if (auto* header = qobject_cast<QHeaderView*>(widget)) {
            for (int c = 0; c < header->count(); ++c)
                widths[Name(header) + std::to_string(c)] = {header->sectionSizeHint(c), header->sectionSize(c)};
        }
    }
}

Discovery::DeviceInfo SetupDevice()
{
    Discovery::DeviceInfo device{};
    Discovery::CopyToField(device.model, "IP7137");
    Discovery::CopyToField(device.name, "Front door");
    Discovery::CopyToField(device.ip, "192.168.100.210");
    Discovery::CopyToField(device.netmask, "255.255.255.0");
    Discovery::CopyToField(device.gateway, "192.168.100.1");
    Discovery::CopyToField(device.dns, "192.168.100.2");
    Discovery::CopyToField(device.mac, "00:02:D1:12:34:56");
    return device;
}

Upnp::UpnpDeviceInfo UpnpDevice()
{
    Upnp::UpnpDeviceInfo device;
    device.children = Upnp::ChildrenText(12);
    device.has_children = Upnp::YesNo(true);
    device.is_root_device = Upnp::YesNo(true);
    device.parent_device = Upnp::kTopmostDevice;
    device.root_device = Upnp::kTopmostDevice;
    device.services = Upnp::ServicesText(3);
    device.friendly_name = "AXIS P1346";
    return device;
}

// Each window at its default size, as a user opens it, its controls measured.
Widths MeasureWindows()
{
    Discovery::MemoryLog log;
    Widths widths;
    const std::pair<const char*, std::function<std::unique_ptr<QWidget>()>> windows[] = {
        {"main", [] { return std::make_unique<Gui::TMainForm>(TestSupport::OfflineUpnp()); }},
        {"main with rows",
         [] {
             auto form = std::make_unique<Gui::TMainForm>(TestSupport::OfflineUpnp());
             TestSupport::Feed(form->state(), {TestSupport::Reply("A", "10.0.0.1", "00:00:00:00:00:01"),
                                               TestSupport::Reply("B", "10.0.0.2", "00:00:00:00:00:02")});
             form->findChild<QLabel*>(QStringLiteral("Label1"))->setText(Dvconst::DeviceCountText(128));
             return form;
         }},
        {"setup",
         [&log] {
             auto form = std::make_unique<Gui::TNetForm>(nullptr, log);
             form->Fill(SetupDevice());
             form->ChooseNetworkType(Discovery::NetworkType::Static);
             return form;
         }},
        {"detail",
         [] {
             auto form = std::make_unique<Gui::TFormInfo>(nullptr);
             form->Fill(SetupDevice());
             return form;
         }},
        {"upnp detail",
         [] {
             auto form = std::make_unique<Gui::TForm1>(nullptr);
             form->Fill(UpnpDevice());
             return form;
         }},
        {"assign", [&log] { return std::make_unique<Gui::TAssignForm>(nullptr, log); }},
    };
    for (const auto& [name, open] : windows) {
        const std::unique_ptr<QWidget> window = open();
        window->setObjectName(QString::fromLatin1(name));
        window->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get())) << name;
        QCoreApplication::processEvents();
        MeasureControls(window.get(), widths);
    }
    return widths;
}

} // namespace

TEST(LanguageModules, EveryModuleIsFoundUnderItsLocaleHoldsEveryTextAndFitsTheWindows)
{
    Resources::UnloadResourceModule();
    const Widths english = MeasureWindows();
    ASSERT_GT(english.size(), 60u);
    for (const auto& [control, height] : english) {
        if (control.ends_with(" height"))
            EXPECT_LE(height.first, height.second) << control << " in English";
    }

    const QString program = QCoreApplication::applicationDirPath() + QStringLiteral("/quendrel");
    for (const quint16 locale : Resources::ModuleLocales()) {
        const QString abbreviation = Resources::LocaleAbbreviation(locale);
        SCOPED_TRACE(abbreviation.toStdString());
        ASSERT_TRUE(Resources::LoadNewResourceModule(locale, program));
        EXPECT_EQ(Resources::CurrentModulePath(), program + QLatin1Char('.') + abbreviation);

        // Complete: a draft left out of the build shows English in its place.
        int same = 0;
        for (const Dvconst::ResourceString& key : Dvconst::AllKeys()) {
            const QString text = Resources::CurrentModuleText(key.id);
            EXPECT_FALSE(text.isEmpty()) << "no text for " << key.id << " (" << key.english << ")";
            for (const char* place : {"%s", "%1", "%2", "%3"})
                EXPECT_EQ(text.count(QLatin1String(place)), QString::fromUtf8(key.english).count(QLatin1String(place)))
                    << key.id << " " << place;
            same += text == QString::fromUtf8(key.english);
        }
        // Names like "IP", "DHCP" or "Quendrel" stay as they are, but a module
        // that mostly echoes the English was never translated.
        EXPECT_LT(same, static_cast<int>(Dvconst::AllKeys().size()) / 4);

        // Fits: no text needs more room than its control has, unless the
        // English one already needs as much (a long address in an edit).
        for (const auto& [control, width] : MeasureWindows()) {
            const auto& [need, room] = width;
            const auto base = english.find(control);
            // Heights have no such excuse: every line of English shows whole.
            const bool height = control.ends_with(" height");
            const int allowed = base == english.end() || height ? room : std::max(room, base->second.first);
            EXPECT_LE(need, allowed) << control << " has " << room << " px";
        }
    }
    Resources::UnloadResourceModule();
}
