// SPDX-License-Identifier: MIT
#include "ui/form_info.h"

#include "resources/dvconst.h"
#include "ui/visible_focus.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <array>

namespace Gui {

namespace {

struct RowSpec {
    const char* label;
    const char* edit;
    const Dvconst::ResourceString* key;
};

// By field index: the controls' names and the key of each caption.
const std::array<RowSpec, Discovery::kDeviceFieldCount> kRowSpecs = {{
    {"Label1", "EditModel", &Dvconst::_MODEL},
    {"Label2", "EditProj", &Dvconst::_PROJECT},
    {"Label3", "EditName", &Dvconst::_NAME},
    {"Label4", "EditIP", &Dvconst::_IP},
    {"Label7", "EditPort", &Dvconst::_PORT},
    {"Label5", "EditNetmask", &Dvconst::_NETMASK},
    {"Label6", "EditGateway", &Dvconst::_GATEWAY},
    {"LabelDNS", "EditDNS", &Dvconst::_DNS},
    {"Label8", "EditMac", &Dvconst::_MAC},
    {"LabelDev", "EditDev", &Dvconst::_DEV},
    {"LabelNote", "EditNote", &Dvconst::_NOTE},
}};

// The order the rows stand in, top to bottom.
constexpr std::array<int, Discovery::kDeviceFieldCount> kShownOrder = {
    Discovery::kModel,   Discovery::kProj, Discovery::kName, Discovery::kIp,
    Discovery::kNetmask, Discovery::kGateway, Discovery::kDns, Discovery::kMac,
    Discovery::kDev,     Discovery::kTriggerPort, Discovery::kNote};

} // namespace

TFormInfo::TFormInfo(QWidget* owner)
    : QDialog(owner)
{
    setObjectName(QStringLiteral("FormInfo"));
    KeepFocusVisible(this);
    BuildControls();
    ApplyTexts();
}

void TFormInfo::BuildControls()
{
    auto* root = new QVBoxLayout(this);
    root->setSizeConstraint(QLayout::SetFixedSize);

    // Built first, so it has the focus at opening and Tab then reads the
    // fields top to bottom.
    m_BitBtn1 = new QPushButton(QStringLiteral("OK"), this);
    m_BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    m_BitBtn1->setDefault(true);
    connect(m_BitBtn1, &QPushButton::clicked, this, &QDialog::accept);

    auto* grid = new QGridLayout;
    int line = 0;
    for (const int field : kShownOrder) {
        const RowSpec& spec = kRowSpecs[static_cast<std::size_t>(field)];
        Row& row = m_rows[field];
        row.label = new QLabel(QString::fromLatin1(spec.key->english), this);
        row.label->setObjectName(QString::fromLatin1(spec.label));
        row.edit = new QLineEdit(this);
        row.edit->setObjectName(QString::fromLatin1(spec.edit));
        // Shown only: nothing can be typed or changed, yet a long value can
        // be reached from the keyboard, scrolled through and copied.
        row.edit->setReadOnly(true);
        row.edit->setMinimumWidth(240);
        row.label->setBuddy(row.edit);
        grid->addWidget(row.label, line, 0);
        grid->addWidget(row.edit, line, 1);
        ++line;
    }
    root->addLayout(grid);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_BitBtn1);
    root->addLayout(buttons);
}

void TFormInfo::ApplyTexts()
{
    setWindowTitle(Dvconst::LoadResString(Dvconst::_DETAIL_INFO));
    m_BitBtn1->setText(Dvconst::LoadResString(Dvconst::_OK));
    for (int field = 0; field < Discovery::kDeviceFieldCount; ++field)
        m_rows[field].label->setText(Dvconst::LoadResString(*kRowSpecs[static_cast<std::size_t>(field)].key));
}

void TFormInfo::Fill(const Discovery::DeviceInfo& device)
{
    for (int field = 0; field < Discovery::kDeviceFieldCount; ++field) {
        const std::string_view text = Discovery::FieldText(Discovery::FieldAt(device, field));
        m_rows[field].edit->setText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
        // A long value shows from its start, cut at the box's right edge.
        m_rows[field].edit->setCursorPosition(0);
    }
}

void TFormInfo::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        ApplyTexts();
    QDialog::changeEvent(event);
}

} // namespace Gui
