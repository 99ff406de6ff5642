// SPDX-License-Identifier: MIT
#include "ui/upnp_info_form.h"

#include "ui/dialog_message_box.h"

#include <QLabel>

#include <algorithm>
#include <QLineEdit>
#include <QPushButton>

namespace Gui {

namespace {

// By record field (children .. upc): the label's number, the edit's name
// and the caption's key.
struct RowSpec {
    int labelNumber; // the label is "Label<n>"
    const char* edit;
    const Dvconst::ResourceString* key;
};
const std::array<RowSpec, Upnp::kUpnpFieldCount> kRowSpecs = {{
    {1, "EditChild", &Dvconst::_CHILD},
    {7, "EditDescription", &Dvconst::_DESCRIPTION},
    {8, "EditFriendName", &Dvconst::_FRIENDLY_NAME},
    {10, "EditHasCh", &Dvconst::_HAS_CHILDREN},
    {6, "EditIconURL", &Dvconst::_ICON_URL},
    {11, "EditIsRooDev", &Dvconst::_IS_ROOT_DEVICE},
    {4, "EditManuName", &Dvconst::_MANUFACURL_NAME},
    {2, "EditManuURL", &Dvconst::_MANUFACTURER_URL},
    {3, "EditModelName", &Dvconst::_MODEL_NAME},
    {5, "EditModelNum", &Dvconst::_MODEL_NUMBER},
    {13, "EditModelURL", &Dvconst::_MODEL_URL},
    {9, "EditParentDev", &Dvconst::_PARENT_DEVICE},
    {12, "EditPresURL", &Dvconst::_PRESENTATION_URL},
    {14, "EditRootDev", &Dvconst::_ROOT_DEVICE},
    {15, "EditSeriaNum", &Dvconst::_SERIAL_NUMBER},
    {17, "EditService", &Dvconst::_SERVICES},
    {16, "EditType", &Dvconst::_UPNPInfoForm_TYPE},
    {18, "EditUniqName", &Dvconst::_UNIQUE_DEVICE_NAME},
    {19, "EditUPC", &Dvconst::_UPC},
}};

std::vector<FieldListDialog::Field> Fields()
{
    std::vector<FieldListDialog::Field> fields;
    for (const RowSpec& spec : kRowSpecs)
        fields.push_back({QStringLiteral("Label%1").arg(spec.labelNumber), spec.edit, spec.key});
    return fields;
}

// Captions are applied in the order of the labels' numbers, Label1 to Label19.
std::vector<int> CaptionOrder()
{
    std::vector<int> order(kRowSpecs.size());
    for (std::size_t field = 0; field < kRowSpecs.size(); ++field)
        order[static_cast<std::size_t>(kRowSpecs[field].labelNumber - 1)] = static_cast<int>(field);
    return order;
}

// The fields the engine fills with its own phrases rather than the device's
// words; only these are shown in the user's language.
bool HoldsPhrase(int field)
{
    return field == 0 || field == 3 || field == 5 || field == 11 || field == 13 || field == 15;
}

constexpr std::array kPhrases{
    &Dvconst::_UPNP_NO_CHILDREN, &Dvconst::_UPNP_ONE_CHILD,   &Dvconst::_UPNP_CHILDREN,
    &Dvconst::_UPNP_NO_SERVICES, &Dvconst::_UPNP_ONE_SERVICE, &Dvconst::_UPNP_SERVICES,
    &Dvconst::_YES,              &Dvconst::_NO,               &Dvconst::_TOPMOST_DEVICE,
};

// The phrase `text` in the current language: a phrase's English text, its
// "%s" standing for a count, gives the module's text with the same count.
// Any other text is shown as it is.
QString ShownPhrase(const QString& text)
{
    for (const Dvconst::ResourceString* phrase : kPhrases) {
        const QString english = QString::fromUtf8(phrase->english);
        const qsizetype at = english.indexOf(QLatin1String("%s"));
        if (at < 0) {
            if (text == english)
                return Dvconst::LoadResString(*phrase);
            continue;
        }
        const QString before = english.left(at), after = english.mid(at + 2);
        if (text.size() <= before.size() + after.size() || !text.startsWith(before) || !text.endsWith(after))
            continue;
        const QString count = text.mid(before.size(), text.size() - before.size() - after.size());
        bool number = !count.isEmpty();
        for (const QChar c : count)
            number = number && c >= QLatin1Char('0') && c <= QLatin1Char('9');
        if (number)
            return FormatMessage(Dvconst::LoadResString(*phrase).toUtf8().constData(), {count});
    }
    return text;
}

constexpr int kFirstTop = 20;
constexpr int kRowStep = 30;
constexpr QRect kLabelRect{16, 0, 137, 13};
constexpr QRect kEditRect{160, 0, 300, 21};
constexpr QRect kButtonRect{160, 592, 297, 25};

} // namespace

TForm1::TForm1(QWidget* owner)
    : FieldListDialog(owner, "Form1", Dvconst::_UPNP_DEVICE_DETAIL_INFO, Fields())
{
    // A fixed dialog border around the layout's client area; the rows in
    // record order, which is also top to bottom.
    setFixedSize(kClientWidth, kClientHeight);
    okButton()->setGeometry(kButtonRect);
    setCaptionOrder(CaptionOrder());
    ApplyTexts();
    for (int field = 0; field < fieldCount(); ++field) {
        const int top = kFirstTop + field * kRowStep;
        // As high as the caption's line at least (in the chosen language's
        // font), or accents and descenders are cut.
        QRect labelRect = kLabelRect.translated(0, top);
        labelRect.setHeight(std::max(labelRect.height(), label(field)->sizeHint().height()));
        label(field)->setGeometry(labelRect);
        edit(field)->setGeometry(kEditRect.translated(0, top));
    }
}

void TForm1::Fill(const Upnp::UpnpDeviceInfo& device)
{
    std::vector<QString> values;
    for (int field = 0; field < Upnp::kUpnpFieldCount; ++field) {
        const std::string& text = *Upnp::FieldAt(device, field);
        const QString value = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
        values.push_back(HoldsPhrase(field) ? ShownPhrase(value) : value);
    }
    ShowValues(values);
}

} // namespace Gui
