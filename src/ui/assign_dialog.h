// SPDX-License-Identifier: MIT
#pragma once

#include "discovery/address_plan.h"
#include "discovery/device_info.h"
#include "discovery/log_sink.h"
#include "discovery/search_round.h"
#include "session/assignment_session.h"

#include <QDialog>
#include <QTimer>

#include <functional>
#include <vector>

class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class QTableWidget;

namespace Gui {

// Commissioning many devices at once: a first address, netmask, gateway and
// DNS give each chosen device a static address upward from the first, past
// every address that is taken. The plan table and the skipped addresses
// follow the typing; after a short pause the LAN is asked which addresses
// hosts hold. Apply sends every package (or none), then the dialog shows
// each device's status live until all answered, the wait ended or Stop.
// Nothing here blocks the event loop.
class TAssignForm final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY(TAssignForm)

public:
    // How long after the last keystroke the LAN is asked.
    static constexpr int kAskLanAfterMs = 700;
    // How long Apply looks for the devices, as `quendrel-cli assign` does.
    static constexpr int kWaitSeconds = 90;

    TAssignForm(QWidget* owner, Discovery::LogSink& log);
    ~TAssignForm() override;

    void setEndpoints(const Discovery::NetworkEndpoints& endpoints);
    // The main window's search method: the packages and the searches after them take it.
    void setSearchSettings(const Discovery::SearchSettings& settings);
    // The devices to commission, and every device of the round (their
    // addresses are taken). The fields are filled from the adapter the
    // first device answered on.
    void setTargets(std::vector<Discovery::AssignTarget> targets, const std::vector<Discovery::DeviceInfo>& round);
    // Where Save plan and Load plan ask for a file name; a file dialog by default.
    void setFileChooser(std::function<QString(bool save)> choose) { m_chooseFile = std::move(choose); }

    Discovery::AssignmentSession& session() { return m_session; }
    // The four fields, as the user would type them.
    void setRange(const QString& first, const QString& netmask, const QString& gateway, const QString& dns);
    // Asks the LAN now instead of after the pause.
    void askLanNow();
    void ApplyClick();
    void StopClick();
    void SavePlanClick();
    void LoadPlanClick();
    QString statusText() const;

signals:
    // The waiting is over (confirmed, ended or stopped): the grid may search again.
    void assignmentEnded();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void BuildControls();
    void ApplyTexts();
    void FillFromAdapter();
    void RangeEdited();
    void Replan(bool askLan);
    void PlanReady();
    void ShowPlan();
    void ShowStatuses();
    void AssignFinished();
    void ShowStatus(const QString& text);
    void UpdateButtons();
    QString SkipReasonText(const Discovery::SkippedAddress& skipped) const;
    QString ProblemText() const;

    Discovery::AssignmentSession m_session;
    std::vector<Discovery::AssignTarget> m_targets;
    Discovery::TakenAddresses m_taken;
    std::vector<Discovery::NetworkInterface> m_adapters;
    std::function<QString(bool save)> m_chooseFile;
    QTimer m_askLanTimer;
    bool m_fieldsValid = false;
    bool m_lanAsked = false;   // the plan shown has been checked on the LAN
    bool m_fromFile = false;   // the plan shown came from a plan file
    bool m_sent = false;
    QString m_planFile;

    QLabel* m_FirstLabel = nullptr;
    QLineEdit* m_First = nullptr;
    QLabel* m_NetmaskLabel = nullptr;
    QLineEdit* m_Netmask = nullptr;
    QLabel* m_GatewayLabel = nullptr;
    QLineEdit* m_Gateway = nullptr;
    QLabel* m_DnsLabel = nullptr;
    QLineEdit* m_Dns = nullptr;
    QLabel* m_PlanLabel = nullptr;
    QTableWidget* m_Plan = nullptr;
    QLabel* m_SkippedLabel = nullptr;
    QListWidget* m_Skipped = nullptr;
    QLabel* m_Status = nullptr;
    QProgressBar* m_Progress = nullptr;
    QPushButton* m_LoadPlan = nullptr;
    QPushButton* m_SavePlan = nullptr;
    QPushButton* m_Apply = nullptr;
    QPushButton* m_Stop = nullptr;
    QPushButton* m_Close = nullptr;
};

} // namespace Gui
