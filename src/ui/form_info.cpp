// SPDX-License-Identifier: MIT
#include "ui/form_info.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <array>

namespace Gui {

namespace {

// By field index (model .. note): the controls' names and each caption's key.
std::vector<FieldListDialog::Field> Fields()
{
    return {
        {QStringLiteral("Label1"), "EditModel", &Dvconst::_MODEL},
        {QStringLiteral("Label2"), "EditProj", &Dvconst::_PROJECT},
        {QStringLiteral("Label3"), "EditName", &Dvconst::_NAME},
        {QStringLiteral("Label4"), "EditIP", &Dvconst::_IP},
        {QStringLiteral("Label7"), "EditPort", &Dvconst::_PORT},
        {QStringLiteral("Label5"), "EditNetmask", &Dvconst::_NETMASK},
        {QStringLiteral("Label6"), "EditGateway", &Dvconst::_GATEWAY},
        {QStringLiteral("LabelDNS"), "EditDNS", &Dvconst::_DNS},
        {QStringLiteral("Label8"), "EditMac", &Dvconst::_MAC},
        {QStringLiteral("LabelDev"), "EditDev", &Dvconst::_DEV},
        {QStringLiteral("LabelNote"), "EditNote", &Dvconst::_NOTE},
    };
}

// The order the rows stand in, top to bottom.
constexpr std::array<int, Discovery::kDeviceFieldCount> kShownOrder = {
    Discovery::kModel,   Discovery::kProj, Discovery::kName, Discovery::kIp,
    Discovery::kNetmask, Discovery::kGateway, Discovery::kDns, Discovery::kMac,
    Discovery::kDev,     Discovery::kTriggerPort, Discovery::kNote};

} // namespace

TFormInfo::TFormInfo(QWidget* owner)
    : FieldListDialog(owner, "FormInfo", Dvconst::_DETAIL_INFO, Fields())
{
    auto* root = new QVBoxLayout(this);
    root->setSizeConstraint(QLayout::SetFixedSize);
    auto* grid = new QGridLayout;
    int line = 0;
    for (const int field : kShownOrder) {
        edit(field)->setMinimumWidth(240);
        grid->addWidget(label(field), line, 0);
        grid->addWidget(edit(field), line, 1);
        // Tab reads the fields top to bottom, after the button.
        if (line > 0)
            setTabOrder(edit(kShownOrder[static_cast<std::size_t>(line - 1)]), edit(field));
        ++line;
    }
    setTabOrder(okButton(), edit(kShownOrder[0]));
    root->addLayout(grid);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okButton());
    root->addLayout(buttons);
    ApplyTexts();
}

void TFormInfo::Fill(const Discovery::DeviceInfo& device)
{
    std::vector<QString> values;
    for (int field = 0; field < Discovery::kDeviceFieldCount; ++field) {
        const std::string_view text = Discovery::FieldText(Discovery::FieldAt(device, field));
        values.push_back(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    }
    ShowValues(values);
}

} // namespace Gui
