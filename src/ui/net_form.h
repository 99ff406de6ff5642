// SPDX-License-Identifier: MIT
#pragma once

#include "discovery/control_package.h"
#include "discovery/device_info.h"
#include "discovery/log_sink.h"
#include "discovery/search_round.h"
#include "ui/dialog_message_box.h"

#include <QDialog>
#include <QString>

#include <array>
#include <optional>
#include <string>

class QGroupBox;
class QFrame;
class QPushButton;
class QRadioButton;

namespace Gui {

class LabeledEdit;

// The network setup dialog: one found device's identity, read-only, and its
// four addresses to edit; Apply sends the control package that gives the
// device DHCP or a static address. Handlers keep the names of the events
// they answer.
class TNetForm final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY(TNetForm)

public:
    // What the last press of Apply came to.
    enum class ApplyOutcome { NotApplied, NoNetworkType, InvalidAddress, TooLong, Sent, SendFailed };

    struct AddressTexts {
        QString ip, gateway, netmask, dns;
    };

    // Socket failures of the send go to `log` (the main window's memo).
    explicit TNetForm(QWidget* owner, Discovery::LogSink& log);
    ~TNetForm() override;

    // Fills the edits from a found device.
    void Fill(const Discovery::DeviceInfo& device);
    // How the package travels: the main window's search method, the adapter
    // the device answered on (0: the routed one), and the endpoints (tests
    // point them at loopback).
    void setSendRoute(const Discovery::SearchSettings& settings, unsigned viaInterface,
                      const Discovery::NetworkEndpoints& endpoints = {});
    void setMessageBox(MessageBoxHook hook) { m_messageBox = std::move(hook); }
    unsigned viaInterface() const { return m_viaInterface; }

    // The checked network type; None while no button is checked.
    Discovery::NetworkType networkType() const;
    // Checks the type's button as a click does (None unchecks all three).
    void ChooseNetworkType(Discovery::NetworkType type);
    void SetAddresses(const AddressTexts& addresses);
    // Drives the dialog as a user would: types the addresses when given,
    // picks the type, presses Apply. Returns what Apply came to.
    ApplyOutcome ApplyWith(Discovery::NetworkType type, const std::optional<AddressTexts>& addresses = {});
    ApplyOutcome applyOutcome() const { return m_outcome; }

public slots:
    void ClickToChangeNetworkType();
    void IpEditExit(Gui::LabeledEdit* sender);
    void LabeledEditModelEnter();
    void BtnApplyClick();
    void ButtonCloseClick();

protected:
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    void ApplyTexts();
    void FormCreate();
    void AddressEditExited(LabeledEdit* edit, Qt::FocusReason reason);
    void Message(const QString& caption, const QString& text);
    void FocusQuietly(LabeledEdit* edit);
    Discovery::SetupEdits CollectEdits() const;
    std::string EditBytes(const LabeledEdit* edit) const;
    LabeledEdit* EditOfField(int field) const;

    Discovery::LogSink& m_log;
    Discovery::SearchSettings m_settings;
    Discovery::NetworkEndpoints m_endpoints;
    unsigned m_viaInterface = 0;
    MessageBoxHook m_messageBox;
    ApplyOutcome m_outcome = ApplyOutcome::NotApplied;
    // The device's own bytes and the texts they were shown as: an edit the
    // user left alone sends its field exactly as the device sent it, even
    // when the bytes are not valid UTF-8.
    std::array<std::pair<QString, std::string>, Discovery::kDeviceFieldCount> m_filled;
    // An address check is showing its warning, or Apply is moving the focus
    // to the edit it refused: the exits this causes are not checked.
    bool m_inExitCheck = false;
    int m_boxesShown = 0;
    // The mouse press that moved the focus out of a checked edit belongs to
    // the warning it raised and does not reach the clicked control.
    bool m_swallowPress = false;

    // Controls, owned by their Qt parents.
    QGroupBox* m_GroupBox2 = nullptr;
    LabeledEdit* m_LabeledEditModel = nullptr;
    LabeledEdit* m_LabeledEditProj = nullptr;
    LabeledEdit* m_LabeledEditName = nullptr;
    LabeledEdit* m_LabeledEditMac = nullptr;
    QGroupBox* m_GroupBox1 = nullptr;
    QRadioButton* m_RadioButtonDhcp = nullptr;
    QRadioButton* m_RadioButtonStatic = nullptr;
    QRadioButton* m_RadioButtonEznet = nullptr;
    QFrame* m_NetworkPropertyPanel = nullptr;
    LabeledEdit* m_LabeledEditIP = nullptr;
    LabeledEdit* m_LabeledEditGateway = nullptr;
    LabeledEdit* m_LabeledEditNetmask = nullptr;
    LabeledEdit* m_LabeledEditDNS = nullptr;
    QPushButton* m_ButtonApply = nullptr;
    QPushButton* m_ButtonClose = nullptr;
    LabeledEdit* m_LabeledEditPort = nullptr;
    LabeledEdit* m_LabeledEditDev = nullptr;
};

} // namespace Gui
