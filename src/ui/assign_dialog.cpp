// SPDX-License-Identifier: MIT
#include "ui/assign_dialog.h"

#include "discovery/control_package.h"
#include "discovery/mac_address.h"
#include "discovery/plan_file.h"
#include "discovery/setup_check.h"
#include "resources/dvconst.h"
#include "ui/visible_focus.h"

#include <QCloseEvent>
#include <QFile>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace Gui {

namespace {

using namespace Discovery;

enum PlanColumn { kMacColumn, kNameColumn, kCurrentIpColumn, kNewIpColumn, kStatusColumn, kPlanColumns };

QString Text(const Dvconst::ResourceString& key)
{
    return Dvconst::LoadResString(key);
}

QString FromField(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString MacText(const DeviceInfo& device)
{
    const std::string_view mac = FieldText(device.mac);
    return QString::fromStdString(CanonicalMac(mac).value_or(std::string(mac)));
}

QString GatewayOutsideText(const std::string& gateway, const std::string& ip, const std::string& netmask)
{
    return Text(Dvconst::_GATEWAY_OUTSIDE)
        .arg(QString::fromStdString(gateway), QString::fromStdString(ip), QString::fromStdString(netmask));
}

QTableWidgetItem* Cell(const QString& text)
{
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

} // namespace

TAssignForm::TAssignForm(QWidget* owner, LogSink& log) : QDialog(owner), m_session(log)
{
    setObjectName(QStringLiteral("AssignForm"));
    setWindowModality(Qt::WindowModal);
    BuildControls();
    ApplyTexts();
    KeepFocusVisible(this);
    m_askLanTimer.setSingleShot(true);
    m_askLanTimer.setInterval(kAskLanAfterMs);
    connect(&m_askLanTimer, &QTimer::timeout, this, [this] { Replan(true); });
    connect(&m_session, &AssignmentSession::planned, this, &TAssignForm::PlanReady);
    connect(&m_session, &AssignmentSession::statusChanged, this, &TAssignForm::ShowStatuses);
    connect(&m_session, &AssignmentSession::finished, this, &TAssignForm::AssignFinished);
    m_chooseFile = [this](bool save) {
        const QString filter = Text(Dvconst::_PLAN_FILE_FILTER);
        return save ? QFileDialog::getSaveFileName(this, Text(Dvconst::_SAVE_PLAN), m_planFile, filter)
                    : QFileDialog::getOpenFileName(this, Text(Dvconst::_LOAD_PLAN), m_planFile, filter);
    };
}

TAssignForm::~TAssignForm() = default;

void TAssignForm::BuildControls()
{
    resize(640, 460);
    auto* layout = new QVBoxLayout(this);

    auto* fields = new QGridLayout;
    auto addField = [&](QLabel*& label, QLineEdit*& edit, const char* name, int column) {
        label = new QLabel(this);
        edit = new QLineEdit(this);
        edit->setObjectName(QLatin1String(name));
        edit->setMaxLength(static_cast<int>(sizeof(DeviceInfo::ip)) - 1);
        label->setBuddy(edit);
        fields->addWidget(label, 0, column);
        fields->addWidget(edit, 1, column);
        connect(edit, &QLineEdit::textEdited, this, &TAssignForm::RangeEdited);
    };
    addField(m_FirstLabel, m_First, "First", 0);
    addField(m_NetmaskLabel, m_Netmask, "Netmask", 1);
    addField(m_GatewayLabel, m_Gateway, "Gateway", 2);
    addField(m_DnsLabel, m_Dns, "Dns", 3);
    layout->addLayout(fields);

    m_PlanLabel = new QLabel(this);
    layout->addWidget(m_PlanLabel);
    m_Plan = new QTableWidget(0, kPlanColumns, this);
    m_Plan->setObjectName(QStringLiteral("Plan"));
    m_Plan->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_Plan->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_Plan->setTabKeyNavigation(false);
    m_Plan->verticalHeader()->hide();
    // The addresses always show whole; the status takes the rest.
    m_Plan->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_Plan->horizontalHeader()->setSectionResizeMode(kStatusColumn, QHeaderView::Stretch);
    m_Plan->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_PlanLabel->setBuddy(m_Plan);
    layout->addWidget(m_Plan, 3);

    m_SkippedLabel = new QLabel(this);
    layout->addWidget(m_SkippedLabel);
    m_Skipped = new QListWidget(this);
    m_Skipped->setObjectName(QStringLiteral("Skipped"));
    m_SkippedLabel->setBuddy(m_Skipped);
    layout->addWidget(m_Skipped, 1);

    // Read-only: the status and the progress take no keyboard focus.
    m_Status = new QLabel(this);
    m_Status->setObjectName(QStringLiteral("Status"));
    m_Status->setWordWrap(true);
    m_Status->setFocusPolicy(Qt::NoFocus);
    layout->addWidget(m_Status);
    m_Progress = new QProgressBar(this);
    m_Progress->setObjectName(QStringLiteral("Progress"));
    m_Progress->setFocusPolicy(Qt::NoFocus);
    // Confirmed devices of all sent to; blank until the packages went.
    m_Progress->setRange(0, 1);
    m_Progress->setValue(0);
    m_Progress->setFormat(QStringLiteral("%v / %m"));
    m_Progress->setTextVisible(false);
    layout->addWidget(m_Progress);

    auto* buttons = new QHBoxLayout;
    auto addButton = [&](QPushButton*& button, const char* name, void (TAssignForm::*click)()) {
        button = new QPushButton(this);
        button->setObjectName(QLatin1String(name));
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, click);
        buttons->addWidget(button);
    };
    addButton(m_LoadPlan, "LoadPlan", &TAssignForm::LoadPlanClick);
    addButton(m_SavePlan, "SavePlan", &TAssignForm::SavePlanClick);
    buttons->addStretch(1);
    addButton(m_Apply, "Apply", &TAssignForm::ApplyClick);
    addButton(m_Stop, "Stop", &TAssignForm::StopClick);
    m_Close = new QPushButton(this);
    m_Close->setObjectName(QStringLiteral("Close"));
    m_Close->setAutoDefault(false);
    connect(m_Close, &QPushButton::clicked, this, &QDialog::close);
    buttons->addWidget(m_Close);
    layout->addLayout(buttons);

    // Reading order: the fields left to right, the tables, the buttons.
    QWidget::setTabOrder(m_First, m_Netmask);
    QWidget::setTabOrder(m_Netmask, m_Gateway);
    QWidget::setTabOrder(m_Gateway, m_Dns);
    QWidget::setTabOrder(m_Dns, m_Plan);
    QWidget::setTabOrder(m_Plan, m_Skipped);
    QWidget::setTabOrder(m_Skipped, m_LoadPlan);
    QWidget::setTabOrder(m_LoadPlan, m_SavePlan);
    QWidget::setTabOrder(m_SavePlan, m_Apply);
    QWidget::setTabOrder(m_Apply, m_Stop);
    QWidget::setTabOrder(m_Stop, m_Close);
    UpdateButtons();
}

void TAssignForm::ApplyTexts()
{
    setWindowTitle(Text(Dvconst::_ASSIGN_ADDRESSES));
    const auto caption = [](QLabel* label, QWidget* control, const Dvconst::ResourceString& key) {
        label->setText(Text(key) + QLatin1Char(':'));
        control->setAccessibleName(Text(key));
    };
    caption(m_FirstLabel, m_First, Dvconst::_FIRST_ADDRESS);
    caption(m_NetmaskLabel, m_Netmask, Dvconst::_NETMASK);
    caption(m_GatewayLabel, m_Gateway, Dvconst::_GATEWAY);
    caption(m_DnsLabel, m_Dns, Dvconst::_DNS);
    caption(m_PlanLabel, m_Plan, Dvconst::_PLAN_TABLE);
    caption(m_SkippedLabel, m_Skipped, Dvconst::_SKIPPED_ADDRESSES);
    m_Plan->setHorizontalHeaderLabels({Text(Dvconst::_MAC), Text(Dvconst::_NAME), Text(Dvconst::_CURRENT_IP),
                                       Text(Dvconst::_NEW_IP), Text(Dvconst::_STATUS)});
    m_Status->setAccessibleName(Text(Dvconst::_STATUS));
    m_Progress->setAccessibleName(Text(Dvconst::_ASSIGN_PROGRESS));
    const auto button = [](QPushButton* b, const Dvconst::ResourceString& key) {
        b->setText(Text(key));
        b->setAccessibleName(Text(key));
    };
    button(m_LoadPlan, Dvconst::_LOAD_PLAN);
    button(m_SavePlan, Dvconst::_SAVE_PLAN);
    button(m_Apply, Dvconst::_APPLY);
    button(m_Stop, Dvconst::_STOP);
    button(m_Close, Dvconst::_CLOSE);
}

void TAssignForm::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange) {
        ApplyTexts();
        ShowPlan();
    }
    QDialog::changeEvent(event);
}

void TAssignForm::setEndpoints(const NetworkEndpoints& endpoints)
{
    m_session.setEndpoints(endpoints);
}

void TAssignForm::setSearchSettings(const SearchSettings& settings)
{
    m_session.setSearchSettings(settings);
}

void TAssignForm::setTargets(std::vector<AssignTarget> targets, const std::vector<DeviceInfo>& round)
{
    m_targets = std::move(targets);
    m_taken = AssignmentSession::KnownTaken(round);
    m_adapters = BroadcastInterfaces();
    FillFromAdapter();
    RangeEdited();
}

// The first device's adapter gives the subnet: the addresses start above
// the PC's, the gateway is the adapter's default route (else the device's
// own, else the PC), the DNS the gateway.
void TAssignForm::FillFromAdapter()
{
    if (m_targets.empty())
        return;
    const DeviceInfo& first = m_targets.front().device;
    const auto adapter = std::find_if(m_adapters.begin(), m_adapters.end(), [&](const NetworkInterface& a) {
        return a.index == m_targets.front().adapter;
    });
    if (adapter == m_adapters.end() || adapter->netmask == 0) {
        m_First->setText(FromField(FieldText(first.ip)));
        m_Netmask->setText(FromField(FieldText(first.netmask)));
        m_Gateway->setText(FromField(FieldText(first.gateway)));
        m_Dns->setText(FromField(FieldText(first.dns)));
        return;
    }
    const std::uint32_t subnet = adapter->address & adapter->netmask;
    std::uint32_t gateway = adapter->address;
    if (const auto route = DefaultGateway(adapter->name); route && (*route & adapter->netmask) == subnet)
        gateway = *route;
    else if (const auto own = ParseDottedQuad(FieldText(first.gateway)); own && (*own & adapter->netmask) == subnet)
        gateway = *own;
    std::uint32_t from = adapter->address + 1;
    if ((from & adapter->netmask) != subnet || (from & ~adapter->netmask) == ~adapter->netmask)
        from = subnet + 1;
    m_First->setText(QString::fromStdString(AddressText(from)));
    m_Netmask->setText(QString::fromStdString(AddressText(adapter->netmask)));
    m_Gateway->setText(QString::fromStdString(AddressText(gateway)));
    m_Dns->setText(QString::fromStdString(AddressText(gateway)));
}

void TAssignForm::setRange(const QString& first, const QString& netmask, const QString& gateway, const QString& dns)
{
    m_First->setText(first);
    m_Netmask->setText(netmask);
    m_Gateway->setText(gateway);
    m_Dns->setText(dns);
    RangeEdited();
}

void TAssignForm::askLanNow()
{
    m_askLanTimer.stop();
    Replan(true);
}

// Each keystroke plans again at once from what is known; the LAN is asked
// once the typing pauses.
void TAssignForm::RangeEdited()
{
    if (m_sent)
        return;
    m_fromFile = false;
    Replan(false);
    if (m_fieldsValid)
        m_askLanTimer.start();
    else
        m_askLanTimer.stop();
}

void TAssignForm::Replan(bool askLan)
{
    if (m_sent)
        return;
    if (m_fromFile) {
        // The file's addresses stand; only the LAN is asked again.
        std::vector<Assignment> given = m_session.assignments();
        m_lanAsked = false;
        m_session.planGiven(std::move(given), m_taken, m_adapters, askLan);
        ShowStatus(askLan ? Text(Dvconst::_CHECKING_LAN) : QString());
        ShowPlan();
        return;
    }
    const std::string first = m_First->text().trimmed().toStdString();
    const std::string netmask = m_Netmask->text().trimmed().toStdString();
    const std::string gateway = m_Gateway->text().trimmed().toStdString();
    const std::string dns = m_Dns->text().trimmed().toStdString();
    // The first address may be its subnet's network address (the walk skips
    // it), so the other fields are checked beside the host address above it.
    std::string host = first;
    const auto from = ParseDottedQuad(first);
    const auto mask = ParseDottedQuad(netmask);
    if (from && mask && (*from & ~*mask) == 0 && ~*mask > 1)
        host = AddressText(*from + 1);
    std::optional<QString> problem;
    if (const auto refused = CheckSetupRequest({host, netmask, gateway, dns}))
        problem = Text(Dvconst::_CHECK_ADDRESSES).arg(QString::fromStdString(RefusalText(*refused, {first, netmask, gateway, dns})));
    else if (!GatewayInSubnet(first, netmask, gateway))
        problem = GatewayOutsideText(gateway, first, netmask);
    m_fieldsValid = !problem;
    m_lanAsked = false;
    if (problem) {
        // The devices stay listed, without new addresses.
        std::vector<Assignment> unplanned;
        for (const AssignTarget& t : m_targets) {
            Assignment a;
            a.device = t.device;
            a.adapter = t.adapter;
            unplanned.push_back(std::move(a));
        }
        m_session.planGiven(std::move(unplanned), m_taken, m_adapters, false);
        ShowPlan();
        ShowStatus(*problem);
        return;
    }
    m_session.planRange(m_targets, AddressRange{*from, *mask, *ParseDottedQuad(gateway), *ParseDottedQuad(dns)},
                        m_taken, m_adapters, askLan);
    ShowPlan();
    if (askLan)
        ShowStatus(Text(Dvconst::_CHECKING_LAN));
    else
        ShowStatus(ProblemText());
}

void TAssignForm::PlanReady()
{
    m_lanAsked = true;
    ShowPlan();
    const QString problem = ProblemText();
    QString text = problem.isEmpty() ? Text(Dvconst::_PLAN_READY) : problem;
    // Addresses off every adapter's subnet go unasked; the user hears of it.
    QStringList unchecked;
    for (const std::uint32_t address : m_session.unchecked())
        unchecked << QString::fromStdString(AddressText(address));
    if (!unchecked.isEmpty())
        text += QLatin1Char('\n') + Text(Dvconst::_UNCHECKED_ADDRESSES).arg(unchecked.join(QStringLiteral(", ")));
    ShowStatus(text);
}

QString TAssignForm::ProblemText() const
{
    const auto& problem = m_session.problem();
    if (!problem)
        return {};
    if (problem->kind == PlanProblem::Kind::TooFewAddresses)
        return Text(Dvconst::_NOTHING_SENT)
            .arg(Text(Dvconst::_PLAN_TOO_FEW).arg(problem->found).arg(m_session.assignments().size()));
    const Assignment& a = m_session.assignments().at(problem->target);
    const SkippedAddress skipped{ParseDottedQuad(a.ip).value_or(0), problem->reason};
    return Text(Dvconst::_PLAN_TAKEN).arg(QString::fromStdString(a.ip), SkipReasonText(skipped));
}

QString TAssignForm::SkipReasonText(const SkippedAddress& skipped) const
{
    const std::string& r = skipped.reason;
    if (r == kSkipNetwork)
        return Text(Dvconst::_SKIP_NETWORK);
    if (r == kSkipBroadcast)
        return Text(Dvconst::_SKIP_BROADCAST);
    if (r == kSkipGateway)
        return Text(Dvconst::_SKIP_GATEWAY);
    if (r == kSkipDns)
        return Text(Dvconst::_SKIP_DNS);
    if (r == kSkipThisPc)
        return Text(Dvconst::_SKIP_THIS_PC);
    if (r == kSkipInUse)
        return Text(Dvconst::_SKIP_IN_USE);
    if (r == kSkipHeld) {
        const auto held = m_taken.heldByDevice.find(skipped.address);
        return Text(Dvconst::_SKIP_HELD)
            .arg(held == m_taken.heldByDevice.end() ? QString() : QString::fromStdString(held->second));
    }
    return QString::fromStdString(r);
}

void TAssignForm::ShowPlan()
{
    const std::vector<Assignment>& plan = m_session.assignments();
    m_Plan->setRowCount(static_cast<int>(plan.size()));
    for (std::size_t i = 0; i < plan.size(); ++i) {
        const Assignment& a = plan[i];
        const int row = static_cast<int>(i);
        m_Plan->setItem(row, kMacColumn, Cell(MacText(a.device)));
        m_Plan->setItem(row, kNameColumn, Cell(FromField(FieldText(a.device.name))));
        m_Plan->setItem(row, kCurrentIpColumn, Cell(FromField(FieldText(a.device.ip))));
        m_Plan->setItem(row, kNewIpColumn,
                        Cell(a.ip.empty() && m_fieldsValid ? Text(Dvconst::_NO_FREE_ADDRESS)
                                                           : QString::fromStdString(a.ip)));
    }
    m_Skipped->clear();
    for (const SkippedAddress& s : m_session.skipped())
        m_Skipped->addItem(QString::fromStdString(AddressText(s.address)) + QStringLiteral(": ") + SkipReasonText(s));
    // An empty list has nothing to read and would show no focus: Tab passes it.
    m_Skipped->setFocusPolicy(m_Skipped->count() > 0 ? Qt::StrongFocus : Qt::NoFocus);
    ShowStatuses();
    UpdateButtons();
}

void TAssignForm::ShowStatuses()
{
    const std::vector<Assignment>& plan = m_session.assignments();
    int confirmed = 0;
    for (std::size_t i = 0; i < plan.size() && static_cast<int>(i) < m_Plan->rowCount(); ++i) {
        const Assignment& a = plan[i];
        QString status;
        switch (a.status) {
        case AssignStatus::Planned: status = a.ip.empty() ? QString() : Text(Dvconst::_STATUS_PLANNED); break;
        case AssignStatus::Waiting: status = Text(Dvconst::_STATUS_WAITING); break;
        case AssignStatus::Confirmed:
            ++confirmed;
            status = Text(Dvconst::_STATUS_CONFIRMED).arg(a.seconds.value_or(0));
            break;
        case AssignStatus::NotSeen: status = Text(Dvconst::_STATUS_NOT_SEEN); break;
        case AssignStatus::OtherAddress:
            status = Text(Dvconst::_STATUS_OTHER_ADDRESS).arg(QString::fromStdString(a.seenIp));
            break;
        }
        m_Plan->setItem(static_cast<int>(i), kStatusColumn, Cell(status));
    }
    if (m_sent) {
        m_Progress->setTextVisible(true);
        m_Progress->setRange(0, std::max<int>(static_cast<int>(plan.size()), 1));
        m_Progress->setValue(confirmed);
    }
}

void TAssignForm::ApplyClick()
{
    if (m_sent || !m_Apply->isEnabled())
        return;
    SendReport report;
    if (const auto refused = m_session.send(kWaitSeconds, report)) {
        ShowStatus(Text(Dvconst::_NOTHING_SENT).arg(QString::fromStdString(*refused)));
        return;
    }
    m_sent = true;
    m_askLanTimer.stop();
    QString text = Text(Dvconst::_WAITING_FOR_DEVICES).arg(report.sent);
    for (const std::string& note : report.notes)
        text += QLatin1Char('\n') + QString::fromStdString(note);
    ShowStatus(text);
    ShowStatuses();
    UpdateButtons();
}

void TAssignForm::StopClick()
{
    m_session.stop();
}

void TAssignForm::AssignFinished()
{
    const std::vector<Assignment>& plan = m_session.assignments();
    const auto confirmed = std::count_if(plan.begin(), plan.end(),
                                         [](const Assignment& a) { return a.status == AssignStatus::Confirmed; });
    ShowStatuses();
    ShowStatus(Text(Dvconst::_ASSIGN_DONE).arg(confirmed).arg(plan.size()));
    UpdateButtons();
    emit assignmentEnded();
}

void TAssignForm::SavePlanClick()
{
    const QString path = m_chooseFile ? m_chooseFile(true) : QString();
    if (path.isEmpty())
        return;
    std::vector<PlanLine> lines;
    for (const Assignment& a : m_session.assignments())
        if (!a.ip.empty())
            lines.push_back({0, MacText(a.device).toStdString(), a.ip, a.netmask, a.gateway, a.dns});
    QFile file(path);
    const std::string text = WritePlanFile(lines);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(text.data(), static_cast<qint64>(text.size())) != static_cast<qint64>(text.size())) {
        ShowStatus(Text(Dvconst::_PLAN_FILE_UNWRITABLE).arg(path));
        return;
    }
    m_planFile = path;
}

// A plan file gives each device its own addresses; a line for a device
// that is not chosen refuses the whole file, a chosen device without a line
// is left out.
void TAssignForm::LoadPlanClick()
{
    if (m_sent)
        return;
    const QString path = m_chooseFile ? m_chooseFile(false) : QString();
    if (path.isEmpty())
        return;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        ShowStatus(Text(Dvconst::_PLAN_FILE_UNREADABLE).arg(path, file.errorString()));
        return;
    }
    const QByteArray bytes = file.readAll();
    PlanFileError problem;
    // The file's gateways are checked below, in the window's words.
    const auto lines = ReadPlanFile(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())),
                                    true, problem);
    if (!lines) {
        const QString where = problem.line > 0 ? QStringLiteral(" (%1)").arg(problem.line) : QString();
        ShowStatus(Text(Dvconst::_PLAN_FILE_UNREADABLE).arg(path, QString::fromStdString(problem.reason) + where));
        return;
    }
    std::vector<Assignment> given;
    for (const PlanLine& line : *lines) {
        const auto target = std::find_if(m_targets.begin(), m_targets.end(), [&](const AssignTarget& t) {
            return SameMac(FieldText(t.device.mac), line.mac);
        });
        if (target == m_targets.end()) {
            ShowStatus(Text(Dvconst::_PLAN_FILE_OTHER_DEVICE).arg(line.line).arg(QString::fromStdString(line.mac)));
            return;
        }
        if (!GatewayInSubnet(line.ip, line.netmask, line.gateway)) {
            ShowStatus(Text(Dvconst::_PLAN_FILE_UNREADABLE)
                           .arg(path, GatewayOutsideText(line.gateway, line.ip, line.netmask) +
                                          QStringLiteral(" (%1)").arg(line.line)));
            return;
        }
        Assignment a;
        a.device = target->device;
        a.adapter = target->adapter;
        a.ip = line.ip;
        a.netmask = line.netmask;
        a.gateway = line.gateway;
        a.dns = line.dns;
        given.push_back(std::move(a));
    }
    m_planFile = path;
    m_fromFile = true;
    m_fieldsValid = true;
    m_askLanTimer.stop();
    m_lanAsked = false;
    m_session.planGiven(std::move(given), m_taken, m_adapters, true);
    ShowPlan();
    ShowStatus(Text(Dvconst::_CHECKING_LAN));
}

void TAssignForm::ShowStatus(const QString& text)
{
    m_Status->setText(text);
}

QString TAssignForm::statusText() const
{
    return m_Status->text();
}

void TAssignForm::UpdateButtons()
{
    const bool verifying = m_session.verifying();
    for (QLineEdit* edit : {m_First, m_Netmask, m_Gateway, m_Dns}) {
        // Once sent the fields only show what went: read-only, out of the Tab chain.
        edit->setReadOnly(m_sent);
        edit->setFocusPolicy(m_sent ? Qt::NoFocus : Qt::StrongFocus);
    }
    m_LoadPlan->setEnabled(!m_sent);
    m_SavePlan->setEnabled(m_fieldsValid && !m_session.problem() && !m_session.assignments().empty());
    m_Apply->setEnabled(!m_sent && m_fieldsValid && m_lanAsked && !m_session.planning() && !m_session.problem());
    m_Stop->setEnabled(verifying);
}

// Closing while the devices are awaited ends the waiting; the grid then searches again.
void TAssignForm::closeEvent(QCloseEvent* event)
{
    m_askLanTimer.stop();
    m_session.cancelPlan();
    if (m_session.verifying())
        m_session.stop();
    QDialog::closeEvent(event);
}

} // namespace Gui
