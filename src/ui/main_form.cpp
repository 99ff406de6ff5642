// SPDX-License-Identifier: MIT
#include "ui/main_form.h"

#include "quendrel_version.h"
#include "discovery/device_markers.h"
#include "ui/assign_dialog.h"
#include "ui/browse_url.h"
#include "ui/device_grid_model.h"
#include "ui/device_grid_view.h"
#include "ui/form_resize.h"
#include "ui/right_to_left.h"
#include "ui/upnp_info_form.h"
#include "ui/visible_focus.h"
#include "upnp/port_forward_engine.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMetaObject>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QThread>
#include <QUrl>

#include <algorithm>
#include <array>
#include <map>
#include <optional>

namespace Gui {

namespace {

using Discovery::DeviceGrid;

constexpr int kFormWidth = 807;
constexpr int kFormHeight = 624;
constexpr int kPanelHeight = 79;
// The empty-round hint stands under the count label.
constexpr int kHintLeft = 280;
constexpr int kHintTop = 58;
constexpr QRect kGridRect{0, 81, 761, 389};
constexpr QRect kMemoRect{0, 461, 769, 162};
// The layout's column widths; start-up turns them into proportions.
constexpr std::array<int, DeviceGrid::kColumnCount> kColumnWidths{114, 125, 180, 103, 29, 98, 153};

// Header texts of columns 0 .. 6.

QString Text(const Dvconst::ResourceString& key)
{
    return Dvconst::LoadResString(key);
}

// The layout's fonts are given as character heights in pixels; Liberation
// Sans has the metrics of the Windows sans-serif the layout was drawn with.
QFont LayoutFont(int pixelHeight)
{
    QFont font;
    font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("MS Sans Serif"), QStringLiteral("Sans Serif")});
    font.setPixelSize(pixelHeight);
    return font;
}

QString VersionText()
{
    return QStringLiteral("%1.%2.%3.%4")
        .arg(QUENDREL_VERSION_MAJOR)
        .arg(QUENDREL_VERSION_MINOR)
        .arg(QUENDREL_VERSION_RELEASE)
        .arg(QUENDREL_VERSION_BUILD);
}

} // namespace

TMainForm::TMainForm(QWidget* parent) : TMainForm(Upnp::UpnpSearchOptions{}, parent) {}

TMainForm::TMainForm(Upnp::UpnpSearchOptions upnpOptions, QWidget* parent)
    : QWidget(parent), m_openUrl([this](const QUrl& url) {
          return Gui::OpenInBrowser(url, [window = QPointer<TMainForm>(this), url] {
              if (window)
                  window->BrowserNotStarted(url);
          });
      }),
      m_messageBox(&ShowMessageBox),
      m_session(std::make_unique<Discovery::SearchSession>(m_state, std::move(upnpOptions)))
{
    // The firewall command that opens UPnP on Windows has no counterpart
    // here; start-up never waits on anything outside the program.
    BuildControls();
    ApplyTexts();
    m_GroupBox1->hide();
    m_GroupBox2->hide();
    m_Button1->move(80, 30);
    m_Label1->move(280, 40);
    KeepFocusVisible(this);

    m_log.onAppend = [this](const std::string& line) { AppendToMemo(line); };
    connect(m_session.get(), &Discovery::SearchSession::searching, this, &TMainForm::SearchStarted);
    // Rows reach the grid while the round runs, a batch at a time.
    connect(m_session.get(), &Discovery::SearchSession::rowsChanged, m_gridModel, &DeviceGridModel::sync);
    // The markers follow the rows, a few times a second while they pour in.
    m_markerTimer.setSingleShot(true);
    m_markerTimer.setInterval(kMarkerEveryMs);
    connect(&m_markerTimer, &QTimer::timeout, this, &TMainForm::UpdateMarkers);
    connect(m_session.get(), &Discovery::SearchSession::rowsChanged, this, [this] {
        if (!m_markerTimer.isActive())
            m_markerTimer.start();
    });
    connect(m_session.get(), &Discovery::SearchSession::upnpWaiting, this, &TMainForm::UpnpWaiting);
    connect(m_session.get(), &Discovery::SearchSession::finished, this, &TMainForm::SearchFinished);
    // The user may change the filter while the UPnP results are awaited.
    m_session->setFilterAtResults([this] { return m_Proj->currentText().toStdString(); });
    FormCreate();
}

TMainForm::~TMainForm()
{
    // A window closed by any means during a search: the search stops, its
    // worker ends, and the results it would have posted are dropped unread
    // before the window's parts go.
    m_session.reset();
    FormDestroy();
    m_log.onAppend = nullptr;
    // The model reads the state's grid, a member that goes before the
    // child widgets do.
    m_StringGrid1->setModel(nullptr);
    delete m_gridModel;
}

void TMainForm::BuildControls()
{
    setObjectName(QStringLiteral("MainForm"));
    setFont(LayoutFont(10));
    resize(kFormWidth, kFormHeight);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - QPoint(kFormWidth / 2, kFormHeight / 2));
    }

    m_Panel1 = new QFrame(this);
    m_Panel1->setObjectName(QStringLiteral("Panel1"));
    m_Panel1->setFrameShape(QFrame::NoFrame);
    m_Panel1->setGeometry(0, 0, kFormWidth, kPanelHeight);

    m_Label1 = new QLabel(QStringLiteral("0 device(s) found!"), m_Panel1);
    m_Label1->setObjectName(QStringLiteral("Label1"));
    m_Label1->setGeometry(216, 40, 200, 16);

    // Under the count: why a round found nothing, when the program knows.
    m_LabelHint = new QLabel(m_Panel1);
    m_LabelHint->setObjectName(QStringLiteral("LabelHint"));
    m_LabelHint->setGeometry(kHintLeft, kHintTop, kFormWidth - kHintLeft - 8, 16);
    m_LabelHint->setTextInteractionFlags(Qt::TextSelectableByMouse);

    m_GroupBox1 = new QGroupBox(QStringLiteral("Search Method"), m_Panel1);
    m_GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    m_GroupBox1->setGeometry(8, 6, 259, 65);

    m_RadioButton1 = new QRadioButton(QStringLiteral("Local Broadcast"), m_GroupBox1);
    m_RadioButton1->setObjectName(QStringLiteral("RadioButton1"));
    m_RadioButton1->setGeometry(8, 18, 105, 17);
    m_RadioButton1->setChecked(true);
    connect(m_RadioButton1, &QRadioButton::clicked, this, &TMainForm::RadioButton1Click);

    m_RadioButton2 = new QRadioButton(QStringLiteral("IP Relay"), m_GroupBox1);
    m_RadioButton2->setObjectName(QStringLiteral("RadioButton2"));
    m_RadioButton2->setGeometry(8, 40, 105, 17);
    connect(m_RadioButton2, &QRadioButton::clicked, this, &TMainForm::RadioButton2Click);

    m_ComboBox1 = new QComboBox(m_GroupBox1);
    m_ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    m_ComboBox1->setEditable(true);
    m_ComboBox1->setInsertPolicy(QComboBox::NoInsert);
    m_ComboBox1->setGeometry(116, 14, 106, 21);
    m_ComboBox1->addItem(QStringLiteral("<Customized>"));
    m_ComboBox1->setEnabled(false);
    m_ComboBox1->installEventFilter(this);

    m_ComboBox2 = new QComboBox(m_GroupBox1);
    m_ComboBox2->setObjectName(QStringLiteral("ComboBox2"));
    m_ComboBox2->setGeometry(116, 38, 67, 21);
    m_ComboBox2->addItems({QStringLiteral("TCP"), QStringLiteral("UDP"), QStringLiteral("HttpCmd")});
    m_ComboBox2->setCurrentIndex(0);
    m_ComboBox2->setEnabled(false);

    // Stands where the layout has its web browser control, outside the
    // visible area; the relay page itself is fetched without a widget.
    m_CppWebBrowser1 = new QWidget(m_Panel1);
    m_CppWebBrowser1->setObjectName(QStringLiteral("CppWebBrowser1"));
    m_CppWebBrowser1->setGeometry(-280, 104, 300, 150);

    m_GroupBox2 = new QGroupBox(QStringLiteral("Project Filter"), m_Panel1);
    m_GroupBox2->setObjectName(QStringLiteral("GroupBox2"));
    m_GroupBox2->setGeometry(279, 6, 124, 66);

    m_Proj = new QComboBox(m_GroupBox2);
    m_Proj->setObjectName(QStringLiteral("Proj"));
    m_Proj->setEditable(true);
    m_Proj->setInsertPolicy(QComboBox::NoInsert);
    m_Proj->setFont(LayoutFont(15));
    m_Proj->setGeometry(10, 24, 105, 26);
    m_Proj->addItems({QStringLiteral("ALL"), QStringLiteral("Orvane"), QStringLiteral("Tessilmar"),
                      QStringLiteral("Mirkla"), QStringLiteral("Dovrek"), QStringLiteral("Saplin"),
                      QStringLiteral("Quistel"), QStringLiteral("Belvin"), QStringLiteral("UPNP"),
                      QString(), QString()});
    m_Proj->setCurrentIndex(0);

    m_Button1 = new QPushButton(QStringLiteral("Quendrel"), m_Panel1);
    m_Button1->setObjectName(QStringLiteral("Button1"));
    m_Button1->setFont(LayoutFont(24));
    m_Button1->setGeometry(424, 24, 177, 33);
    connect(m_Button1, &QPushButton::clicked, this, &TMainForm::Button1Click);
    // Enter on the focused button searches, as Space does.
    m_Button1->installEventFilter(this);

    m_StringGrid1 = new DeviceGridView(this);
    m_StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    // The grid always has a data row, blank while nothing is listed.
    m_state.grid.setGridRowCount(2);
    m_gridModel = new DeviceGridModel(m_state.grid, this);
    m_StringGrid1->setModel(m_gridModel);
    m_StringGrid1->setGeometry(kGridRect);
    for (int c = 0; c < DeviceGrid::kColumnCount; ++c)
        m_StringGrid1->setColumnWidth(c, kColumnWidths[static_cast<std::size_t>(c)]);
    connect(m_StringGrid1, &DeviceGridView::cellSelected, this, &TMainForm::StringGrid1SelectCell);
    connect(m_StringGrid1, &DeviceGridView::mouseUp, this, &TMainForm::StringGrid1MouseUp);
    connect(m_StringGrid1, &DeviceGridView::mouseMoved, this, &TMainForm::StringGrid1MouseMove);
    connect(m_StringGrid1, &DeviceGridView::doubleClickedAnywhere, this, &TMainForm::Browser1Click);
    // The scroll bar comes and goes with the rows, not with the window's size:
    // spread the columns again so the last one never sits under it.
    connect(m_gridModel, &QAbstractItemModel::rowsInserted, this, &TMainForm::FormResize);
    connect(m_gridModel, &QAbstractItemModel::rowsRemoved, this, &TMainForm::FormResize);

    m_Memo1 = new QPlainTextEdit(this);
    m_Memo1->setObjectName(QStringLiteral("Memo1"));
    m_Memo1->setReadOnly(true);
    m_Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_Memo1->setMaximumBlockCount(kLogLines);
    m_Memo1->setGeometry(kMemoRect);
    m_Memo1->hide();

    m_PopupMenu1 = new QMenu(this);
    m_PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    m_Info1 = m_PopupMenu1->addAction(QStringLiteral("Detail Info."));
    m_Info1->setObjectName(QStringLiteral("Info1"));
    m_Browser1 = m_PopupMenu1->addAction(QStringLiteral("Browse"));
    m_Browser1->setObjectName(QStringLiteral("Browser1"));
    m_NetworkSetup1 = m_PopupMenu1->addAction(QStringLiteral("Network Setup"));
    m_NetworkSetup1->setObjectName(QStringLiteral("NetworkSetup1"));
    m_AssignAddresses1 = m_PopupMenu1->addAction(QStringLiteral("Assign addresses..."));
    m_AssignAddresses1->setObjectName(QStringLiteral("AssignAddresses1"));
    connect(m_AssignAddresses1, &QAction::triggered, this, &TMainForm::AssignAddresses1Click);
    connect(m_PopupMenu1, &QMenu::aboutToShow, this, &TMainForm::PopupMenu1Popup);
    connect(m_Info1, &QAction::triggered, this, &TMainForm::Info1Click);
    connect(m_Browser1, &QAction::triggered, this, &TMainForm::Browser1Click);
    connect(m_NetworkSetup1, &QAction::triggered, this, &TMainForm::NetworkSetup1Click);
    connect(m_StringGrid1, &DeviceGridView::popupRequested, this, [this](QPoint globalPos) {
        if (m_popupAttached)
            m_PopupMenu1->popup(globalPos);
    });
}

// The texts set when the window is built, in this order; the layout's own
// English captions are only defaults.
void TMainForm::ApplyTexts()
{
    setWindowTitle(Text(Dvconst::_QUENDREL));
    ShowButtonText(Dvconst::_QUENDREL);
    m_RadioButton1->setText(Text(Dvconst::_LOCAL_BROADCAST));
    m_GroupBox1->setTitle(Text(Dvconst::_SEARCH_METHOD));
    m_RadioButton2->setText(Text(Dvconst::_IP_RELAY));
    m_GroupBox2->setTitle(Text(Dvconst::_PROJECT_FILTER));
    SetAccessibleNames();
    ShowDeviceCount(0);
    m_Info1->setText(Text(Dvconst::_DETAIL_INFO));
    m_Browser1->setText(Text(Dvconst::_BROWSE));
    m_NetworkSetup1->setText(Text(Dvconst::_NETWORK_SETUP));
    m_AssignAddresses1->setText(Text(Dvconst::_ASSIGN_ADDRESSES_MENU));
    m_ComboBox1->clear();
    m_ComboBox1->addItem(Text(Dvconst::_CUSTOMISZED));
}

// After a language change: the same texts in the same order, but what the
// window shows now stays (the button's state, the count, the version in the
// caption, relay hosts typed earlier).
void TMainForm::ReapplyTexts()
{
    setWindowTitle(Text(Dvconst::_QUENDREL) + m_versionSuffix);
    ShowButtonText(*m_buttonKey);
    m_RadioButton1->setText(Text(Dvconst::_LOCAL_BROADCAST));
    m_GroupBox1->setTitle(Text(Dvconst::_SEARCH_METHOD));
    m_RadioButton2->setText(Text(Dvconst::_IP_RELAY));
    m_GroupBox2->setTitle(Text(Dvconst::_PROJECT_FILTER));
    SetAccessibleNames();
    ShowDeviceCount(m_shownCount);
    m_Info1->setText(Text(Dvconst::_DETAIL_INFO));
    m_Browser1->setText(Text(Dvconst::_BROWSE));
    m_NetworkSetup1->setText(Text(Dvconst::_NETWORK_SETUP));
    m_AssignAddresses1->setText(Text(Dvconst::_ASSIGN_ADDRESSES_MENU));
    if (m_ComboBox1->count() > 0)
        m_ComboBox1->setItemText(0, Text(Dvconst::_CUSTOMISZED));
    SetGridHeaders();
    // The markers' tooltips are written again in the new language.
    m_markers.clear();
    m_markerTexts.clear();
    m_gridModel->setIpCellMarks({});
    UpdateMarkers();
    ShowHint(m_hintKey, m_hintArgument);
    UpdateMinimumSize();
}

void TMainForm::ShowHint(const Dvconst::ResourceString* key, const QString& argument)
{
    m_hintKey = key;
    m_hintArgument = argument;
    const QString text = key == nullptr ? QString() : Text(*key).replace(QLatin1String("%s"), argument);
    m_LabelHint->setText(text);
    m_LabelHint->setToolTip(text); // the whole text, should a narrow window cut it
}

// A round that heard nothing: the reason, when the round or the machine
// tells it. The firewall is looked at only then, without waiting for it.
void TMainForm::ExplainEmptyRound()
{
    switch (m_session->lastProblem()) {
    case Discovery::RoadProblem::ReplyPortUnavailable:
        ShowHint(&Dvconst::_HINT_REPLY_PORT);
        return;
    case Discovery::RoadProblem::NoAdapter:
        ShowHint(&Dvconst::_HINT_NO_ADAPTER);
        return;
    case Discovery::RoadProblem::None:
        break;
    }
    if (!m_RadioButton1->isChecked())
        return; // a relay's answers come by their own way
    m_firewallProbe = std::make_unique<Discovery::FirewallProbe>();
    connect(m_firewallProbe.get(), &Discovery::FirewallProbe::found, this, [this](Discovery::Firewall firewall) {
        if (firewall != Discovery::Firewall::None)
            ShowHint(&Dvconst::_HINT_FIREWALL, QString::fromLatin1(Discovery::FirewallName(firewall)));
    });
    m_firewallProbe->start();
}

void TMainForm::SetGridHeaders()
{
    for (int c = 0; c < DeviceGrid::kColumnCount; ++c)
        m_state.grid.setCell(c, 0, Text(*Dvconst::kGridHeaderKeys[static_cast<std::size_t>(c)]).toStdString());
    m_gridModel->sync();
}

void TMainForm::ShowButtonText(const Dvconst::ResourceString& key)
{
    m_buttonKey = &key;
    m_Button1->setText(Text(key));
}

// Controls without a text of their own are named for a screen reader after
// what they choose; the transport's names are the same in every language.
void TMainForm::SetAccessibleNames()
{
    m_ComboBox1->setAccessibleName(Text(Dvconst::_IP_RELAY));
    m_ComboBox2->setAccessibleName(QStringLiteral("TCP / UDP / HttpCmd"));
    m_Proj->setAccessibleName(Text(Dvconst::_PROJECT_FILTER));
}

void TMainForm::ShowDeviceCount(int count)
{
    m_shownCount = count;
    m_Label1->setText(count > 0 ? Dvconst::DeviceCountText(count) : Text(Dvconst::_ZERO_DEVICE_FOUND));
    // A screen reader names the grid by what it lists.
    m_StringGrid1->setAccessibleName(m_Label1->text());
}

void TMainForm::FormCreate()
{
    // POSIX sockets need no library start-up, so there is no failure to show.
    SetGridHeaders();
    if (m_RadioButton1->isChecked())
        RadioButton1Click();
    else
        RadioButton2Click();

    // The version is compiled in, so the caption always gets it, once.
    m_versionSuffix = QStringLiteral(" - ") + VersionText();
    setWindowTitle(windowTitle() + m_versionSuffix);

    if (m_Memo1->isVisible()) {
        m_Memo1->move(m_Memo1->x(), frameGeometry().height() - m_Memo1->height());
        m_Memo1->resize(frameGeometry().width() - m_Memo1->x(), m_Memo1->height());
    }

    int total = 0;
    for (int c = 0; c < DeviceGrid::kColumnCount; ++c) {
        const int width = m_StringGrid1->columnWidth(c);
        total += width;
        m_log.appendf("Col[%d] - (%d, %d)\n", c, width, total);
    }
    if (total > 0) {
        for (int c = 0; c < DeviceGrid::kColumnCount; ++c) {
            const int width = m_StringGrid1->columnWidth(c);
            const float proportion = static_cast<float>(static_cast<double>(width) / total);
            m_columnProportions.push_back(proportion);
            m_log.appendf("Col[%d] - (%d, %d, %f)\n", c, width, total, static_cast<double>(proportion));
        }
    }
    UpdateMinimumSize();
}

// However small the user makes the window, the button, the count and every
// column header stay whole.
void TMainForm::UpdateMinimumSize()
{
    PlaceLeftToRight([&] {
        MinimumFormInput in;
        in.controlsRight = std::max(m_Button1->geometry().right(), m_Label1->geometry().right()) + 1;
        in.gridLeft = m_StringGrid1->x();
        in.gridTop = m_StringGrid1->y();
        in.gridChromeHeight = m_StringGrid1->headerAndRowHeight();
        in.proportions = m_columnProportions;
        for (int c = 0; c < DeviceGrid::kColumnCount; ++c)
            in.headerWidths.push_back(m_StringGrid1->headerTextWidth(c));
        // The rule gives outer sizes; as a client size it is a pixel or two generous.
        const MinimumFormSize smallest = ComputeMinimumFormSize(in);
        setMinimumSize(smallest.width, smallest.height);
    });
}

void TMainForm::FormResize()
{
    PlaceLeftToRight([&] {
        FormResizeInput in;
        const QRect outer = frameGeometry();
        in.formWidth = outer.width();
        in.formHeight = outer.height();
        in.memoVisible = !m_Memo1->isHidden();
        in.memoLeft = m_Memo1->x();
        in.memoHeight = m_Memo1->height();
        in.gridLeft = m_StringGrid1->x();
        in.gridTop = m_StringGrid1->y();
        in.gridRowCount = m_state.grid.gridRowCount();
        in.visibleRowCount = [this](int height) { return m_StringGrid1->visibleRowCount(height); };
        in.proportions = m_columnProportions;
        for (int c = 0; c < DeviceGrid::kColumnCount; ++c)
            in.columnWidths.push_back(m_StringGrid1->columnWidth(c));

        const FormResizeResult out = ComputeFormResize(in);
        if (out.memoTop && out.memoWidth) {
            m_Memo1->move(m_Memo1->x(), *out.memoTop);
            m_Memo1->resize(*out.memoWidth, m_Memo1->height());
        }
        m_StringGrid1->resize(std::max(out.gridWidth, 0), std::max(out.gridHeight, 0));
        for (int c = 0; c < DeviceGrid::kColumnCount; ++c) {
            const int width = out.columnWidths[static_cast<std::size_t>(c)];
            if (width != m_StringGrid1->columnWidth(c))
                m_StringGrid1->setColumnWidth(c, std::max(width, 0));
        }
    });
}

// While the engine's event exists (from the search's start until the results
// routine has taken its rows) the window stays open.
void TMainForm::FormClose(QCloseEvent* event)
{
    if (m_session && m_session->upnpBusy()) {
        event->ignore();
        if (m_messageBox)
            m_messageBox(this, Text(Dvconst::_WARNING), Text(Dvconst::_UPNP_BUSY));
        return;
    }
    event->accept();
}

void TMainForm::FormDestroy()
{
    m_state.clearDevices();
}

Discovery::SearchSettings TMainForm::CurrentSearchSettings() const
{
    const std::optional<std::string> relayHost =
        m_RadioButton1->isChecked() ? std::nullopt : std::optional(m_ComboBox1->currentText().toStdString());
    return Discovery::MakeSearchSettings(relayHost, m_ComboBox2->currentText().toStdString());
}

void TMainForm::setSearchEndpoints(const Discovery::NetworkEndpoints& endpoints)
{
    m_endpoints = endpoints;
    m_session->setEndpoints(endpoints);
}

// The button stays disabled until a round is over, UPnP results included; a
// press that still comes (from code) is refused by the session.
void TMainForm::Button1Click()
{
    m_session->start(CurrentSearchSettings(), m_Proj->currentText().toStdString());
}

void TMainForm::SearchStarted()
{
    m_Button1->setEnabled(false);
    ShowButtonText(Dvconst::_SEARCHING);
    m_firewallProbe.reset();
    ShowHint(nullptr);
    m_roundAdapters = Discovery::BroadcastInterfaces(CurrentSearchSettings().interfaces);
    m_markerTimer.stop();
    m_markers.clear();
    m_markerTexts.clear();
    m_gridModel->setIpCellMarks({});
    // The emptied grid and the caption are painted before the first query
    // goes out: painting while thousands of devices answer would take the
    // processor from the threads that read their replies.
    m_gridModel->sync();
    repaint();
}

void TMainForm::UpnpWaiting()
{
    ShowButtonText(Dvconst::_SEARCH_UPNP);
}

// A round that closed itself selects its first row; UPnP results dropped
// because the filter changed leave the label as it was.
void TMainForm::SearchFinished(int shownRows)
{
    UpdateMarkers();
    if (m_session->lastEnd() != Discovery::SearchSession::End::UpnpDropped) {
        ShowDeviceCount(shownRows);
        if (shownRows == 0)
            ExplainEmptyRound();
    }
    if (shownRows > 0 && m_session->lastEnd() == Discovery::SearchSession::End::ClosedItself) {
        m_StringGrid1->showSortIndicator(DeviceGrid::kModelColumn, m_state.sortAscending);
        m_selectedRow = 1;
        m_selectedColumn = 1;
        // Show the selection without it counting as a click on the row.
        const QSignalBlocker quiet(m_StringGrid1);
        m_StringGrid1->setCurrentIndex(m_gridModel->index(m_selectedRow - 1, m_selectedColumn));
    }
    m_Button1->setEnabled(true);
    ShowButtonText(Dvconst::_QUENDREL);
}

void TMainForm::RadioButton1Click()
{
    if (m_RadioButton1->isChecked()) {
        m_ComboBox1->setEnabled(false);
        m_ComboBox2->setEnabled(false);
    }
}

void TMainForm::RadioButton2Click()
{
    if (m_RadioButton2->isChecked()) {
        m_ComboBox1->setEnabled(true);
        m_ComboBox2->setEnabled(true);
    }
}

// A relay address typed into the box is kept as an item, so it can be
// picked again while the program runs. Text that already is an item counts
// as a picked item and is not added twice.
void TMainForm::ComboBox1Exit()
{
    const QString text = m_ComboBox1->currentText();
    if (text.isEmpty() || text == QLatin1String("0"))
        return;
    if (m_ComboBox1->findText(text, Qt::MatchExactly) >= 0)
        return;
    m_ComboBox1->addItem(text);
}

void TMainForm::StringGrid1SelectCell(int column, int row)
{
    if (row <= 0) {
        m_popupAttached = false;
        return;
    }
    m_selectedRow = row;
    m_selectedColumn = column;
    m_popupAttached = true;
    m_log.appendf("ARow(%d) ACol(%d) IP(%s)\n", row, column,
                  m_state.grid.cell(DeviceGrid::kIpColumn, row).c_str());
}

void TMainForm::StringGrid1MouseUp(Qt::MouseButton button, int column, int row)
{
    // A release past the last column is over no column and sorts nothing.
    if (row != 0 || button != Qt::LeftButton || column < 0 || column >= DeviceGrid::kColumnCount)
        return;
    m_state.sortAscending = !m_state.sortAscending;
    Discovery::SortDeviceGrid(m_state.grid, column, m_state.sortAscending);
    m_gridModel->sync();
    m_StringGrid1->showSortIndicator(column, m_state.sortAscending);
}

void TMainForm::StringGrid1MouseMove(int column, int row)
{
    if (column == DeviceGrid::kIpColumn && row >= 1)
        m_StringGrid1->viewport()->setCursor(Qt::PointingHandCursor);
    else
        m_StringGrid1->viewport()->setCursor(Qt::ArrowCursor);
}

void TMainForm::Browser1Click()
{
    // A selected row at or past the row count is no row at all (the list
    // may have shrunk since the row was picked).
    const DeviceGrid& grid = m_state.grid;
    if (m_selectedRow < 1 || m_selectedRow >= grid.gridRowCount())
        return;
    const std::string& ip = grid.cell(DeviceGrid::kIpColumn, m_selectedRow);
    const std::string& mac = grid.cell(DeviceGrid::kMacColumn, m_selectedRow);
    const auto device = std::find_if(m_state.devices.begin(), m_state.devices.end(),
                                     [&](const Discovery::DeviceInfo& d) {
                                         return Discovery::FieldText(d.ip) == ip
                                             && Discovery::FieldText(d.mac) == mac;
                                     });
    if (device == m_state.devices.end())
        return;
    const std::optional<QUrl> url = BrowseUrl(*device);
    if (!url) {
        m_log.appendf("Browse: no valid http address for IP(%s)\n", ip.c_str());
        return;
    }
    if (m_openUrl && !m_openUrl(*url))
        BrowserNotStarted(*url);
}

void TMainForm::BrowserNotStarted(const QUrl& url)
{
    // Without a browser the user still gets the address, to open elsewhere.
    m_log.appendf("Browse: no browser started for %s\n", url.toString().toStdString().c_str());
    if (m_messageBox)
        m_messageBox(this, Text(Dvconst::_WARNING), Text(Dvconst::_BROWSER_NOT_STARTED) + QStringLiteral("\n\n")
                                                          + url.toString());
}

void TMainForm::Info1Click()
{
    Gui::DeviceMenuHooks hooks = m_dialogHooks;
    // Every list record of a camera row has the row's address, so each would
    // open the same dialogs again (two cameras on one host: four dialogs).
    // The row's UPnP records are shown once, one dialog each.
    bool upnpShown = false;
    if (!hooks.openUpnpDetail) {
        hooks.openUpnpDetail = [this, &upnpShown, showModal = hooks.showModal](const Discovery::DeviceInfo& device) {
            if (upnpShown)
                return;
            upnpShown = true;
            OpenUpnpDetail(device, showModal);
        };
    }
    Gui::DetailInfo(this, m_state, m_selectedRow, m_log, hooks);
}

// One dialog for every UPnP record whose presentation URL holds the row's
// address, in the engine's order; the list is copied first, so a dialog
// left open never sees it change.
void TMainForm::OpenUpnpDetail(const Discovery::DeviceInfo& device, const std::function<void(QDialog&)>& showModal)
{
    const std::string_view ip = Discovery::FieldText(device.ip);
    const std::vector<Upnp::UpnpDeviceInfo> records = m_session->upnpDevices();
    for (const Upnp::UpnpDeviceInfo& record : records) {
        if (record.presentation_url.find(ip) == std::string::npos)
            continue;
        TForm1 form(this);
        form.Fill(record);
        if (showModal)
            showModal(form);
        else
            form.exec();
    }
}

void TMainForm::NetworkSetup1Click()
{
    Gui::DeviceMenuHooks hooks = m_dialogHooks;
    hooks.endpoints = m_endpoints;
    Gui::NetworkSetup(this, m_state, m_selectedRow, CurrentSearchSettings(), m_log, hooks);
}

void TMainForm::PopupMenu1Popup()
{
    m_NetworkSetup1->setEnabled(Gui::NetworkSetupEnabled(m_state.grid, m_selectedRow));
    // The dialog searches while it waits for the devices: not beside a running round.
    m_AssignAddresses1->setEnabled(m_session->state() == Discovery::SearchSession::State::Idle &&
                                   !SelectedDatagramDevices().empty());
}

// Only the devices listed since the last look, and those a new conflict
// reaches, are looked at; their IP cells get the text of their markers.
void TMainForm::UpdateMarkers()
{
    m_markerTimer.stop();
    if (m_markers.size() > m_state.devices.size()) {
        // The list was emptied since: a new round.
        m_markers.clear();
        m_gridModel->setIpCellMarks({});
    }
    const std::vector<std::size_t> changed =
        m_markers.add(Discovery::MarkedRoundDevices(m_state, m_roundAdapters, m_markers.size()));
    if (changed.empty())
        return;
    DeviceGridModel::IpCellMarks marks;
    for (const std::size_t d : changed) {
        const Discovery::DeviceInfo& device = m_state.devices[d];
        const std::vector<Discovery::DeviceMarker>& markers = m_markers.markers()[d];
        const unsigned index = m_state.arrivalInterface(device);
        // Rows with the same markers on the same adapter share one text (a
        // flood of made-up devices must not cost a text each).
        QString& text = m_markerTexts[{markers, index}];
        if (text.isEmpty()) {
            QStringList lines;
            for (const Discovery::DeviceMarker marker : markers) {
                if (marker == Discovery::DeviceMarker::IpConflict) {
                    lines << Text(Dvconst::_MARK_IP_CONFLICT);
                    continue;
                }
                QString adapter;
                for (const Discovery::NetworkInterface& a : m_roundAdapters)
                    if (a.index == index)
                        adapter = QString::fromStdString(a.name + " " + Discovery::AddressText(a.address) + "/" +
                                                         Discovery::AddressText(a.netmask));
                lines << Text(Dvconst::_MARK_OTHER_SUBNET).arg(adapter);
            }
            text = lines.join(QLatin1Char('\n'));
        }
        marks[DeviceGridModel::IpCellKey(Discovery::FieldText(device.ip), Discovery::FieldText(device.mac))] = text;
    }
    m_gridModel->addIpCellMarks(std::move(marks));
}

std::vector<Discovery::DeviceInfo> TMainForm::SelectedDatagramDevices() const
{
    std::vector<int> rows;
    if (const QItemSelectionModel* selection = m_StringGrid1->selectionModel())
        for (const QModelIndex& index : selection->selectedRows())
            rows.push_back(index.row() + 1);
    // Without a selection the current row counts, as it does for the other entries.
    if (rows.empty())
        rows.push_back(m_selectedRow);
    std::sort(rows.begin(), rows.end());
    std::vector<Discovery::DeviceInfo> devices;
    const DeviceGrid& grid = m_state.grid;
    for (const int row : rows) {
        if (row < 1 || row >= grid.gridRowCount())
            continue;
        const std::string& ip = grid.cell(DeviceGrid::kIpColumn, row);
        const std::string& mac = grid.cell(DeviceGrid::kMacColumn, row);
        if (!Discovery::HasMacAddress(mac))
            continue;
        const bool twice = std::any_of(devices.begin(), devices.end(), [&](const Discovery::DeviceInfo& d) {
            return Discovery::FieldText(d.mac) == mac;
        });
        const auto device = std::find_if(m_state.devices.begin(), m_state.devices.end(),
                                         [&](const Discovery::DeviceInfo& d) {
                                             return Discovery::FieldText(d.ip) == ip && Discovery::FieldText(d.mac) == mac;
                                         });
        if (!twice && device != m_state.devices.end())
            devices.push_back(*device);
    }
    return devices;
}

void TMainForm::AssignAddresses1Click()
{
    std::vector<Discovery::AssignTarget> targets;
    for (const Discovery::DeviceInfo& device : SelectedDatagramDevices())
        targets.push_back({device, m_state.arrivalInterface(device)});
    if (targets.empty())
        return;
    auto* dialog = new TAssignForm(this, m_log);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setEndpoints(m_endpoints);
    dialog->setSearchSettings(CurrentSearchSettings());
    dialog->setTargets(std::move(targets), m_state.devices);
    // Once the devices took their addresses, the grid shows them there.
    connect(dialog, &TAssignForm::assignmentEnded, this, [this] {
        if (m_session->state() == Discovery::SearchSession::State::Idle)
            Button1Click();
    });
    if (m_dialogHooks.showAssign)
        m_dialogHooks.showAssign(*dialog);
    else
        dialog->open();
}

// Each message is a line of its own, whether or not its text ends in a line
// break ("CONNECT ERROR" does not, "socket() error : %s\n" does).
void TMainForm::AppendToMemo(const std::string& line)
{
    std::string_view message = line;
    if (!message.empty() && message.back() == '\n')
        message.remove_suffix(1);
    const QString text = QString::fromUtf8(message.data(), static_cast<qsizetype>(message.size()));
    // Lines may come from a worker thread; the widget is touched on its own.
    if (QThread::currentThread() != thread()) {
        QMetaObject::invokeMethod(
            m_Memo1, [memo = QPointer<QPlainTextEdit>(m_Memo1), text] {
                if (memo)
                    memo->appendPlainText(text);
            },
            Qt::QueuedConnection);
        return;
    }
    m_Memo1->appendPlainText(text);
}

void TMainForm::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        ReapplyTexts();
    else if (event->type() == QEvent::LayoutDirectionChange)
        PlaceLeftToRight([] {});
    QWidget::changeEvent(event);
}

void TMainForm::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    PlaceLeftToRight([&] {
        // Panel1 is aligned to the top: it spans the window's width.
        m_Panel1->resize(width(), kPanelHeight);
        m_LabelHint->resize(std::max(width() - kHintLeft - 8, 0), m_LabelHint->height());
        FormResize();
    });
}

// Everything that places controls works in left-to-right coordinates; for a
// right-to-left language the window mirrors them once the placing is done.
void TMainForm::PlaceLeftToRight(const std::function<void()>& place)
{
    if (m_placing++ == 0) {
        UnmirrorPlacedChildren(m_Panel1);
        UnmirrorPlacedChildren(this);
    }
    place();
    if (--m_placing == 0) {
        MirrorPlacedChildren(m_Panel1);
        MirrorPlacedChildren(this);
    }
}

void TMainForm::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // The layout's size is the outer size; once the frame is known, take it off.
    if (!m_sizedToFrame && isWindow()) {
        m_sizedToFrame = true;
        const QSize frame = frameGeometry().size() - geometry().size();
        if (frame.width() > 0 || frame.height() > 0)
            resize(kFormWidth - frame.width(), kFormHeight - frame.height());
    }
}

void TMainForm::closeEvent(QCloseEvent* event)
{
    FormClose(event);
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_ComboBox1 && event->type() == QEvent::FocusOut)
        ComboBox1Exit();
    if (watched == m_Button1 && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && m_Button1->isEnabled()) {
            m_Button1->click();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace Gui
