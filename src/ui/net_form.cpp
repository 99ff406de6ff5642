// SPDX-License-Identifier: MIT
#include "ui/net_form.h"

#include "discovery/setup_check.h"
#include "resources/dvconst.h"
#include "ui/labeled_edit.h"
#include "ui/visible_focus.h"

#include <QApplication>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

namespace Gui {

namespace {

using Discovery::NetworkType;

QString Text(const Dvconst::ResourceString& key)
{
    return Dvconst::LoadResString(key);
}

QString FieldString(std::string_view bytes)
{
    return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

QString Format(const Dvconst::ResourceString& key, std::initializer_list<QString> args)
{
    return FormatMessage(Text(key), args);
}

} // namespace

TNetForm::TNetForm(QWidget* owner, Discovery::LogSink& log)
    : QDialog(owner)
    , m_log(log)
{
    setObjectName(QStringLiteral("NetForm"));
    KeepFocusVisible(this);
    BuildControls();
    ApplyTexts();
    FormCreate();
}

// Qt destroys the edits after this part of the dialog is gone; their last
// focus change must not come back into it.
TNetForm::~TNetForm()
{
    for (LabeledEdit* edit : findChildren<LabeledEdit*>())
        disconnect(edit, nullptr, this, nullptr);
}

void TNetForm::BuildControls()
{
    // A fixed dialog border: the layout decides the size once.
    auto* root = new QVBoxLayout(this);
    root->setSizeConstraint(QLayout::SetFixedSize);

    m_GroupBox2 = new QGroupBox(QStringLiteral("Device Information"), this);
    m_GroupBox2->setObjectName(QStringLiteral("GroupBox2"));
    auto* identity = new QGridLayout(m_GroupBox2);
    m_LabeledEditModel = new LabeledEdit(QStringLiteral("LabeledEditModel"), QStringLiteral("Model"), m_GroupBox2);
    m_LabeledEditProj = new LabeledEdit(QStringLiteral("LabeledEditProj"), QStringLiteral("Project"), m_GroupBox2);
    m_LabeledEditName = new LabeledEdit(QStringLiteral("LabeledEditName"), QStringLiteral("Name"), m_GroupBox2);
    m_LabeledEditMac = new LabeledEdit(QStringLiteral("LabeledEditMac"), QStringLiteral("MAC"), m_GroupBox2);
    identity->addWidget(m_LabeledEditModel, 0, 0);
    identity->addWidget(m_LabeledEditProj, 0, 1);
    identity->addWidget(m_LabeledEditName, 1, 0);
    identity->addWidget(m_LabeledEditMac, 1, 1);
    for (LabeledEdit* shown : {m_LabeledEditModel, m_LabeledEditProj, m_LabeledEditName, m_LabeledEditMac}) {
        QPalette palette = shown->edit()->palette();
        palette.setColor(QPalette::Text, Qt::gray);
        shown->edit()->setPalette(palette);
        shown->edit()->setReadOnly(true);
        shown->edit()->setMinimumWidth(160);
        // Out of the Tab chain: Tab would enter one only to be sent to Close,
        // and the controls after Close could never be reached forwards.
        shown->edit()->setFocusPolicy(Qt::ClickFocus);
    }
    root->addWidget(m_GroupBox2);

    m_GroupBox1 = new QGroupBox(QStringLiteral("Network Property"), this);
    m_GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    auto* property = new QVBoxLayout(m_GroupBox1);
    auto* types = new QHBoxLayout;
    m_RadioButtonDhcp = new QRadioButton(QStringLiteral("DHCP"), m_GroupBox1);
    m_RadioButtonDhcp->setObjectName(QStringLiteral("RadioButtonDhcp"));
    m_RadioButtonStatic = new QRadioButton(QStringLiteral("Static IP"), m_GroupBox1);
    m_RadioButtonStatic->setObjectName(QStringLiteral("RadioButtonStatic"));
    m_RadioButtonEznet = new QRadioButton(QStringLiteral("EZNet"), m_GroupBox1);
    m_RadioButtonEznet->setObjectName(QStringLiteral("RadioButtonEznet"));
    m_RadioButtonEznet->hide();
    types->addWidget(m_RadioButtonDhcp);
    types->addWidget(m_RadioButtonStatic);
    types->addWidget(m_RadioButtonEznet);
    types->addStretch();
    property->addLayout(types);

    m_NetworkPropertyPanel = new QFrame(m_GroupBox1);
    m_NetworkPropertyPanel->setObjectName(QStringLiteral("NetworkPropertyPanel"));
    m_NetworkPropertyPanel->setFrameShape(QFrame::StyledPanel);
    auto* addresses = new QGridLayout(m_NetworkPropertyPanel);
    // These four keep their own captions in every language.
    m_LabeledEditIP = new LabeledEdit(QStringLiteral("LabeledEditIP"), QStringLiteral("IP Address"),
                                      m_NetworkPropertyPanel);
    m_LabeledEditGateway = new LabeledEdit(QStringLiteral("LabeledEditGateway"), QStringLiteral("Gateway"),
                                           m_NetworkPropertyPanel);
    m_LabeledEditNetmask = new LabeledEdit(QStringLiteral("LabeledEditNetmask"), QStringLiteral("Netmask"),
                                           m_NetworkPropertyPanel);
    m_LabeledEditDNS = new LabeledEdit(QStringLiteral("LabeledEditDNS"), QStringLiteral("DNS"),
                                       m_NetworkPropertyPanel);
    addresses->addWidget(m_LabeledEditIP, 0, 0);
    addresses->addWidget(m_LabeledEditGateway, 0, 1);
    addresses->addWidget(m_LabeledEditNetmask, 1, 0);
    addresses->addWidget(m_LabeledEditDNS, 1, 1);
    property->addWidget(m_NetworkPropertyPanel);
    root->addWidget(m_GroupBox1);

    // Carried into the package, never shown.
    m_LabeledEditPort = new LabeledEdit(QStringLiteral("LabeledEditPort"), QStringLiteral("Port"), this);
    m_LabeledEditDev = new LabeledEdit(QStringLiteral("LabeledEditDev"), QStringLiteral("DEV"), this);
    for (LabeledEdit* hidden : {m_LabeledEditPort, m_LabeledEditDev}) {
        hidden->setEnabled(false);
        hidden->hide();
    }

    auto* buttons = new QHBoxLayout;
    m_ButtonApply = new QPushButton(QStringLiteral("Apply"), this);
    m_ButtonApply->setObjectName(QStringLiteral("ButtonApply"));
    m_ButtonClose = new QPushButton(QStringLiteral("Close"), this);
    m_ButtonClose->setObjectName(QStringLiteral("ButtonClose"));
    // Enter in an edit must not send a package by itself.
    m_ButtonApply->setAutoDefault(false);
    m_ButtonClose->setAutoDefault(false);
    buttons->addStretch();
    buttons->addWidget(m_ButtonApply);
    buttons->addWidget(m_ButtonClose);
    root->addLayout(buttons);

    for (QRadioButton* type : {m_RadioButtonDhcp, m_RadioButtonStatic, m_RadioButtonEznet})
        connect(type, &QRadioButton::toggled, this, &TNetForm::ClickToChangeNetworkType);
    for (LabeledEdit* address : {m_LabeledEditIP, m_LabeledEditGateway, m_LabeledEditNetmask, m_LabeledEditDNS})
        connect(address, &LabeledEdit::exited, this,
                [this, address](Qt::FocusReason reason) { AddressEditExited(address, reason); });
    for (LabeledEdit* fixed : {m_LabeledEditModel, m_LabeledEditProj, m_LabeledEditName, m_LabeledEditMac,
                               m_LabeledEditPort, m_LabeledEditDev})
        connect(fixed, &LabeledEdit::entered, this, &TNetForm::LabeledEditModelEnter);
    connect(m_ButtonApply, &QPushButton::clicked, this, &TNetForm::BtnApplyClick);
    connect(m_ButtonClose, &QPushButton::clicked, this, &TNetForm::ButtonCloseClick);
}

void TNetForm::ApplyTexts()
{
    setWindowTitle(Text(Dvconst::_NETWORK_SETUP));
    m_ButtonApply->setText(Text(Dvconst::_APPLY));
    m_ButtonClose->setText(Text(Dvconst::_CLOSE));
    m_GroupBox1->setTitle(Text(Dvconst::_NETWORK_PROPERTY));
    m_RadioButtonDhcp->setText(Text(Dvconst::_DHCP));
    m_RadioButtonEznet->setText(Text(Dvconst::_EZNET));
    m_RadioButtonStatic->setText(Text(Dvconst::_STATIC_IP));
    m_GroupBox2->setTitle(Text(Dvconst::_DEVICE_INFORMATION));
    m_LabeledEditMac->setCaption(Text(Dvconst::_MAC));
    m_LabeledEditModel->setCaption(Text(Dvconst::_MODEL));
    m_LabeledEditName->setCaption(Text(Dvconst::_NAME));
    m_LabeledEditProj->setCaption(Text(Dvconst::_PROJECT));
    m_LabeledEditDev->setCaption(Text(Dvconst::_DEV));
    m_LabeledEditPort->setCaption(Text(Dvconst::_PORT));
    m_LabeledEditIP->setCaption(Text(Dvconst::_IP_ADDRESS));
    m_LabeledEditGateway->setCaption(Text(Dvconst::_GATEWAY));
    m_LabeledEditNetmask->setCaption(Text(Dvconst::_NETMASK));
    m_LabeledEditDNS->setCaption(Text(Dvconst::_DNS));
}

void TNetForm::FormCreate()
{
    ClickToChangeNetworkType();
}

void TNetForm::Fill(const Discovery::DeviceInfo& device)
{
    using namespace Discovery;
    const std::pair<int, LabeledEdit*> order[] = {
        {kModel, m_LabeledEditModel},     {kProj, m_LabeledEditProj},       {kName, m_LabeledEditName},
        {kMac, m_LabeledEditMac},         {kIp, m_LabeledEditIP},           {kNetmask, m_LabeledEditNetmask},
        {kGateway, m_LabeledEditGateway}, {kDns, m_LabeledEditDNS},         {kDev, m_LabeledEditDev},
        {kTriggerPort, m_LabeledEditPort}};
    for (const auto& [field, edit] : order) {
        const std::string_view bytes = FieldText(FieldAt(device, field));
        auto& filled = m_filled[static_cast<std::size_t>(field)];
        filled = {FieldString(bytes), std::string(bytes)};
        edit->setText(filled.first);
    }
}

void TNetForm::setSendRoute(const Discovery::SearchSettings& settings, unsigned viaInterface,
                            const Discovery::NetworkEndpoints& endpoints)
{
    m_settings = settings;
    m_viaInterface = viaInterface;
    m_endpoints = endpoints;
}

Discovery::NetworkType TNetForm::networkType() const
{
    if (m_RadioButtonStatic->isChecked())
        return NetworkType::Static;
    if (m_RadioButtonDhcp->isChecked())
        return NetworkType::Dhcp;
    if (m_RadioButtonEznet->isChecked())
        return NetworkType::Eznet;
    return NetworkType::None;
}

void TNetForm::ChooseNetworkType(Discovery::NetworkType type)
{
    switch (type) {
    case NetworkType::Static: m_RadioButtonStatic->setChecked(true); break;
    case NetworkType::Dhcp: m_RadioButtonDhcp->setChecked(true); break;
    case NetworkType::Eznet: m_RadioButtonEznet->setChecked(true); break;
    case NetworkType::None:
        // An exclusive group never unchecks its last button by itself.
        for (QRadioButton* button : {m_RadioButtonDhcp, m_RadioButtonStatic, m_RadioButtonEznet}) {
            button->setAutoExclusive(false);
            button->setChecked(false);
            button->setAutoExclusive(true);
        }
        break;
    }
    ClickToChangeNetworkType();
}

void TNetForm::SetAddresses(const AddressTexts& addresses)
{
    m_LabeledEditIP->setText(addresses.ip);
    m_LabeledEditGateway->setText(addresses.gateway);
    m_LabeledEditNetmask->setText(addresses.netmask);
    m_LabeledEditDNS->setText(addresses.dns);
}

TNetForm::ApplyOutcome TNetForm::ApplyWith(Discovery::NetworkType type, const std::optional<AddressTexts>& addresses)
{
    if (addresses)
        SetAddresses(*addresses);
    ChooseNetworkType(type);
    m_ButtonApply->click();
    return m_outcome;
}

// Static and EZNet take the typed addresses; DHCP and no choice at all keep
// them shown but out of reach.
void TNetForm::ClickToChangeNetworkType()
{
    bool enabled = false;
    if (m_RadioButtonStatic->isChecked())
        enabled = true;
    else if (m_RadioButtonDhcp->isChecked())
        enabled = false;
    else if (m_RadioButtonEznet->isChecked())
        enabled = true;
    for (LabeledEdit* address : {m_LabeledEditIP, m_LabeledEditNetmask, m_LabeledEditGateway, m_LabeledEditDNS})
        address->setEnabled(enabled);
}

void TNetForm::AddressEditExited(LabeledEdit* edit, Qt::FocusReason reason)
{
    // Only a move to another control of this dialog is a leaving: a warning
    // box taking the focus, the dialog closing or a menu opening is not, nor
    // is an edit being disabled by the choice of DHCP.
    if (m_inExitCheck || !isVisible() || !edit->isEnabled())
        return;
    switch (reason) {
    case Qt::MouseFocusReason:
    case Qt::TabFocusReason:
    case Qt::BacktabFocusReason:
    case Qt::ShortcutFocusReason:
    case Qt::OtherFocusReason:
        break;
    default:
        return;
    }
    m_inExitCheck = true;
    const int boxesBefore = m_boxesShown;
    IpEditExit(edit);
    // A warning raised by a click came up between its press and its release:
    // the click is spent, or the clicked button would stay pressed or act.
    if (m_boxesShown != boxesBefore && reason == Qt::MouseFocusReason && !m_swallowPress) {
        m_swallowPress = true;
        qApp->installEventFilter(this);
        // Should the press never come through, the next one must not be lost.
        QTimer::singleShot(0, this, [this] {
            if (m_swallowPress) {
                m_swallowPress = false;
                qApp->removeEventFilter(this);
            }
        });
    }
    m_inExitCheck = false;
}

bool TNetForm::eventFilter(QObject* watched, QEvent* event)
{
    if (m_swallowPress && event->type() == QEvent::MouseButtonPress && watched->isWidgetType()) {
        auto* widget = static_cast<QWidget*>(watched);
        if (widget == this || isAncestorOf(widget)) {
            m_swallowPress = false;
            qApp->removeEventFilter(this);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

// Warns about a text that is no address as Apply reads it, and about a
// gateway outside the subnet of the IP address and netmask (compared only
// when both of those are addresses). It only warns: the texts stay.
void TNetForm::IpEditExit(Gui::LabeledEdit* sender)
{
    if (!sender)
        return;
    const QString message = Format(Dvconst::_INVALID_ADDRESS, {sender->caption(), sender->text()});
    if (!Discovery::ParsesAsAddress(EditBytes(sender))) {
        Message(Text(Dvconst::_WARNING), message);
        sender->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (sender == m_LabeledEditGateway
        && !Discovery::GatewayInSubnet(EditBytes(m_LabeledEditIP), EditBytes(m_LabeledEditNetmask),
                                       EditBytes(m_LabeledEditGateway)))
        Message(Text(Dvconst::_WARNING), Format(Dvconst::_UNREASONABLE_GATEWAY, {sender->text()}));
}

// The device's identity is shown, never typed into.
void TNetForm::LabeledEditModelEnter()
{
    m_ButtonClose->setFocus(Qt::OtherFocusReason);
}

void TNetForm::BtnApplyClick()
{
    using namespace Discovery;
    m_outcome = ApplyOutcome::NotApplied;

    const NetworkType type = networkType();
    if (type == NetworkType::None) {
        Message(Text(Dvconst::_WARNING), Text(Dvconst::_CHOOSE_NETWORK_TYPE));
        m_outcome = ApplyOutcome::NoNetworkType;
        return;
    }
    // A device told to take an address it cannot use is lost to the user: a
    // static or eznet setup goes out only with addresses a device can take.
    // DHCP sends the device's own values, which it does not use, as shown.
    if (type == NetworkType::Static || type == NetworkType::Eznet) {
        const std::string ip = EditBytes(m_LabeledEditIP), netmask = EditBytes(m_LabeledEditNetmask),
                          gateway = EditBytes(m_LabeledEditGateway), dns = EditBytes(m_LabeledEditDNS);
        if (const auto problem = CheckSetupRequest({ip, netmask, gateway, dns})) {
            LabeledEdit* address = EditOfField(problem->field);
            Message(Text(Dvconst::_WARNING), Format(Dvconst::_REFUSED_ADDRESS,
                                     {address->caption(), address->text(), Text(*problem->reasonKey)}));
            FocusQuietly(address);
            m_outcome = ApplyOutcome::InvalidAddress;
            return;
        }
    }

    DeviceInfo record{};
    const int tooLong = FillControlRecord(CollectEdits(), type, record);
    if (tooLong >= 0) {
        LabeledEdit* edit = EditOfField(tooLong);
        const auto width = static_cast<int>(FieldAt(record, tooLong).size()) - 1;
        const QString caption = edit ? edit->caption()
                                     : FieldString(kDeviceFieldNames[static_cast<std::size_t>(tooLong)]);
        Message(Text(Dvconst::_WARNING), Format(Dvconst::_TOO_LONG, {caption, edit ? edit->text() : QString(),
                                                         QString::number(width)}));
        if (edit && edit->isEnabled() && edit->isVisible())
            FocusQuietly(edit);
        m_outcome = ApplyOutcome::TooLong;
        return;
    }

    bool adapterGone = false;
    const bool sent = SendControlPackage(record, m_settings, m_log, m_viaInterface, m_endpoints, &adapterGone) == 0;
    m_outcome = sent ? ApplyOutcome::Sent : ApplyOutcome::SendFailed;
    QString report = Text(sent ? Dvconst::_CONTROL_PACKAGE_SENT : Dvconst::_CONTROL_PACKAGE_FAILED);
    if (adapterGone)
        report += QLatin1Char('\n') + Text(Dvconst::_ADAPTER_GONE);
    Message(Text(Dvconst::_NOTE_CAPTION), report);
    if (sent)
        accept();
    else
        reject();
}

void TNetForm::ButtonCloseClick()
{
    reject();
}

void TNetForm::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        ApplyTexts();
    QDialog::changeEvent(event);
}

// Apply has said what is wrong; the edit it leaves for this one is not
// checked on the way.
void TNetForm::FocusQuietly(LabeledEdit* edit)
{
    const bool wasQuiet = m_inExitCheck;
    m_inExitCheck = true;
    edit->setFocus(Qt::OtherFocusReason);
    m_inExitCheck = wasQuiet;
}

void TNetForm::Message(const QString& caption, const QString& text)
{
    ++m_boxesShown;
    if (m_messageBox)
        m_messageBox(this, caption, text);
    else
        ShowMessageBox(this, caption, text);
}

Discovery::SetupEdits TNetForm::CollectEdits() const
{
    return {EditBytes(m_LabeledEditModel), EditBytes(m_LabeledEditProj),    EditBytes(m_LabeledEditName),
            EditBytes(m_LabeledEditIP),    EditBytes(m_LabeledEditPort),    EditBytes(m_LabeledEditNetmask),
            EditBytes(m_LabeledEditGateway), EditBytes(m_LabeledEditDNS),   EditBytes(m_LabeledEditMac),
            EditBytes(m_LabeledEditDev)};
}

std::string TNetForm::EditBytes(const LabeledEdit* edit) const
{
    const QString text = edit->text();
    for (int field = 0; field < Discovery::kDeviceFieldCount; ++field) {
        if (EditOfField(field) != edit)
            continue;
        const auto& filled = m_filled[static_cast<std::size_t>(field)];
        if (text == filled.first)
            return filled.second;
        break;
    }
    return text.toStdString();
}

LabeledEdit* TNetForm::EditOfField(int field) const
{
    using namespace Discovery;
    switch (field) {
    case kModel: return m_LabeledEditModel;
    case kProj: return m_LabeledEditProj;
    case kName: return m_LabeledEditName;
    case kIp: return m_LabeledEditIP;
    case kTriggerPort: return m_LabeledEditPort;
    case kNetmask: return m_LabeledEditNetmask;
    case kGateway: return m_LabeledEditGateway;
    case kDns: return m_LabeledEditDNS;
    case kMac: return m_LabeledEditMac;
    case kDev: return m_LabeledEditDev;
    default: return nullptr;
    }
}

} // namespace Gui
