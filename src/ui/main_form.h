// SPDX-License-Identifier: MIT
#pragma once

#include "discovery/discovery_state.h"
#include "discovery/firewall_probe.h"
#include "discovery/device_markers.h"
#include "discovery/log_sink.h"
#include "discovery/network_interfaces.h"
#include "discovery/search_round.h"
#include "resources/dvconst.h"
#include "session/search_session.h"
#include "ui/device_menu.h"
#include "ui/dialog_message_box.h"
#include "upnp/search_options.h"

#include <QTimer>
#include <QWidget>

#include <functional>
#include <map>
#include <memory>
#include <vector>

class QAction;
class QComboBox;
class QDialog;
class QFrame;
class QGroupBox;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QUrl;

namespace Gui {

class DeviceGridModel;
class DeviceGridView;

// The main window: the search button, the result line, the device grid and
// its pop-up menu, the hidden search-method and project-filter controls and
// the hidden diagnostic log. It owns the search's state and the UPnP search
// engine for the whole run. Handlers keep the names of the events they answer.
class TMainForm final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY(TMainForm)

public:
    // Lines kept by the hidden log; older ones are dropped.
    static constexpr int kLogLines = 5000;
    // How often the markers are brought up to date while rows arrive.
    static constexpr int kMarkerEveryMs = 250;

    explicit TMainForm(QWidget* parent = nullptr);
    // The program keeps the engine's defaults; tests choose where the UPnP
    // search looks (no adapter at all, or a simulated LAN's).
    explicit TMainForm(Upnp::UpnpSearchOptions upnpOptions, QWidget* parent = nullptr);
    ~TMainForm() override;

    Discovery::DiscoveryState& state() { return m_state; }
    Discovery::MemoryLog& log() { return m_log; }

    // Browse hands its address here; QDesktopServices::openUrl by default.
    void setUrlOpener(std::function<bool(const QUrl&)> opener) { m_openUrl = std::move(opener); }
    // Where a round's datagrams go; the program keeps the defaults, tests
    // point them at loopback.
    void setSearchEndpoints(const Discovery::NetworkEndpoints& endpoints);
    // How the pop-up menu's dialogs are shown; tests inspect them instead.
    void setDialogHooks(Gui::DeviceMenuHooks hooks) { m_dialogHooks = std::move(hooks); }
    // The window's own message boxes (the close check's warning).
    void setMessageBox(MessageBoxHook hook) { m_messageBox = std::move(hook); }

public slots:
    void Button1Click();
    void RadioButton1Click();
    void RadioButton2Click();
    void ComboBox1Exit();
    void FormResize();
    void StringGrid1SelectCell(int column, int row);
    void StringGrid1MouseUp(Qt::MouseButton button, int column, int row);
    void StringGrid1MouseMove(int column, int row);
    void Browser1Click();
    // Browse found no browser: the address goes to the user as selectable text.
    void BrowserNotStarted(const QUrl& url);
    void Info1Click();
    void NetworkSetup1Click();
    void AssignAddresses1Click();
    void PopupMenu1Popup();

protected:
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    void ApplyTexts();
    void ReapplyTexts();
    void SetGridHeaders();
    void UpdateMinimumSize();
    void ShowHint(const Dvconst::ResourceString* key, const QString& argument = {});
    void ExplainEmptyRound();
    void FormCreate();
    void FormClose(QCloseEvent* event);
    void FormDestroy();

    // The search-method controls as the round and the setup dialog read them.
    Discovery::SearchSettings CurrentSearchSettings() const;

    // What the search session reports, shown on the window.
    void SearchStarted();
    void UpnpWaiting();
    void SearchFinished(int shownRows);
    void ShowButtonText(const Dvconst::ResourceString& key);
    void ShowDeviceCount(int count);
    void SetAccessibleNames();
    void PlaceLeftToRight(const std::function<void()>& place);
    void AppendToMemo(const std::string& line);

    // The round's markers on the IP cells, as rows arrive.
    void UpdateMarkers();
    // The datagram devices of the selected rows, in grid order, one per MAC.
    std::vector<Discovery::DeviceInfo> SelectedDatagramDevices() const;

    // The UPnP detail dialogs for a row of the UPnP search.
    void OpenUpnpDetail(const Discovery::DeviceInfo& device, const std::function<void(QDialog&)>& showModal);

    Discovery::MemoryLog m_log{kLogLines};
    Discovery::DiscoveryState m_state{m_log};
    Discovery::NetworkEndpoints m_endpoints;
    Gui::DeviceMenuHooks m_dialogHooks;
    std::function<bool(const QUrl&)> m_openUrl;
    MessageBoxHook m_messageBox;

    int m_selectedRow = 1;
    int m_selectedColumn = 0;
    bool m_popupAttached = true;
    std::vector<float> m_columnProportions;
    QString m_versionSuffix;
    // The empty-round hint shown now, so a language change can re-read it.
    const Dvconst::ResourceString* m_hintKey = nullptr;
    QString m_hintArgument;
    std::unique_ptr<Discovery::FirewallProbe> m_firewallProbe;
    // What Button1 and Label1 show now, so a language change can re-read it.
    const Dvconst::ResourceString* m_buttonKey = &Dvconst::_QUENDREL;
    int m_shownCount = 0;
    int m_placing = 0; // depth of PlaceLeftToRight
    bool m_sizedToFrame = false;

    // Runs every round and owns the UPnP search engine; it works on m_state,
    // so the destructor lets it go first.
    std::unique_ptr<Discovery::SearchSession> m_session;

    // Controls, owned by their Qt parents.
    QFrame* m_Panel1 = nullptr;
    QLabel* m_Label1 = nullptr;
    QLabel* m_LabelHint = nullptr;
    QGroupBox* m_GroupBox1 = nullptr;
    QRadioButton* m_RadioButton1 = nullptr;
    QRadioButton* m_RadioButton2 = nullptr;
    QComboBox* m_ComboBox1 = nullptr;
    QComboBox* m_ComboBox2 = nullptr;
    QWidget* m_CppWebBrowser1 = nullptr;
    QGroupBox* m_GroupBox2 = nullptr;
    QComboBox* m_Proj = nullptr;
    QPushButton* m_Button1 = nullptr;
    DeviceGridView* m_StringGrid1 = nullptr;
    DeviceGridModel* m_gridModel = nullptr;
    QPlainTextEdit* m_Memo1 = nullptr;
    QMenu* m_PopupMenu1 = nullptr;
    QAction* m_Info1 = nullptr;
    QAction* m_Browser1 = nullptr;
    QAction* m_NetworkSetup1 = nullptr;
    QAction* m_AssignAddresses1 = nullptr;
    // The adapters of this round, for the other-subnet marker.
    std::vector<Discovery::NetworkInterface> m_roundAdapters;
    QTimer m_markerTimer;
    Discovery::MarkerTracker m_markers;
    std::map<std::pair<std::vector<Discovery::DeviceMarker>, unsigned>, QString> m_markerTexts;
};

} // namespace Gui
