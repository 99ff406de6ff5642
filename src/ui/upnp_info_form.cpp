// SPDX-License-Identifier: MIT
#include "ui/upnp_info_form.h"

#include "resources/dvconst.h"
#include "ui/visible_focus.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace Gui {

namespace {

struct RowSpec {
    int labelNumber; // the label is "Label<n>"
    const char* edit;
    const Dvconst::ResourceString* key;
};

// By record field (children .. upc): the controls' names and the caption key.
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

constexpr int kFirstTop = 20;
constexpr int kRowStep = 30;
constexpr QRect kLabelRect{16, 0, 137, 13};
constexpr QRect kEditRect{160, 0, 300, 21};
constexpr QRect kButtonRect{160, 592, 297, 25};

} // namespace

TForm1::TForm1(QWidget* owner)
    : QDialog(owner)
{
    setObjectName(QStringLiteral("Form1"));
    KeepFocusVisible(this);
    BuildControls();
    ApplyTexts();
}

void TForm1::BuildControls()
{
    // A fixed dialog border around the layout's client area.
    setFixedSize(kClientWidth, kClientHeight);

    m_BitBtn1 = new QPushButton(QStringLiteral("OK"), this);
    m_BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    m_BitBtn1->setGeometry(kButtonRect);
    // Built first, so it has the focus at opening and Tab then reads the
    // rows top to bottom.
    m_BitBtn1->setDefault(true);
    connect(m_BitBtn1, &QPushButton::clicked, this, &QDialog::accept);

    for (int field = 0; field < Upnp::kUpnpFieldCount; ++field) {
        const RowSpec& spec = kRowSpecs[static_cast<std::size_t>(field)];
        Row& row = m_rows[static_cast<std::size_t>(field)];
        const int top = kFirstTop + field * kRowStep;
        row.label = new QLabel(QString::fromLatin1(spec.key->english), this);
        row.label->setObjectName(QStringLiteral("Label%1").arg(spec.labelNumber));
        row.label->setGeometry(kLabelRect.translated(0, top));
        row.edit = new QLineEdit(this);
        row.edit->setObjectName(QString::fromLatin1(spec.edit));
        row.edit->setGeometry(kEditRect.translated(0, top));
        // Shown only: nothing can be typed or changed, yet a long value such
        // as the presentation URL can be reached, scrolled through and copied.
        row.edit->setReadOnly(true);
    }
}

// Captions in the order of the labels' numbers, Label1 to Label19.
void TForm1::ApplyTexts()
{
    setWindowTitle(Dvconst::LoadResString(Dvconst::_UPNP_DEVICE_DETAIL_INFO));
    m_BitBtn1->setText(Dvconst::LoadResString(Dvconst::_OK));
    for (int number = 1; number <= Upnp::kUpnpFieldCount; ++number) {
        for (int field = 0; field < Upnp::kUpnpFieldCount; ++field) {
            const RowSpec& spec = kRowSpecs[static_cast<std::size_t>(field)];
            if (spec.labelNumber == number)
                m_rows[static_cast<std::size_t>(field)].label->setText(Dvconst::LoadResString(*spec.key));
        }
    }
}

void TForm1::Fill(const Upnp::UpnpDeviceInfo& device)
{
    for (int field = 0; field < Upnp::kUpnpFieldCount; ++field) {
        const std::string& text = *Upnp::FieldAt(device, field);
        QLineEdit* edit = m_rows[static_cast<std::size_t>(field)].edit;
        edit->setText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
        // A long value shows from its start, cut at the box's right edge.
        edit->setCursorPosition(0);
    }
}

void TForm1::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        ApplyTexts();
    QDialog::changeEvent(event);
}

} // namespace Gui
