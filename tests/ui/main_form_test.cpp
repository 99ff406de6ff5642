// SPDX-License-Identifier: MIT
#include "window_support.h"
#include "qt_text.h"
#include "ui/assign_dialog.h"
#include "ui/main_form.h"

#include "quendrel_version.h"
#include "resources/language.h"
#include "replies.h"

#include <QAction>
#include <QComboBox>
#include <QFocusEvent>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QContextMenuEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTableWidget>
#include <QTextDocument>
#include <QTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QUrl>

#include <gtest/gtest.h>

#include <memory>
#include <tuple>

using Discovery::DeviceGrid;
using Gui::DeviceGridView;
using Gui::TMainForm;
using TestSupport::Column;
using TestSupport::Feed;
using TestSupport::Reply;

using TestSupport::Text;

namespace {

template <typename T>
T* Child(TMainForm& form, const char* name)
{
    T* child = form.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(child, nullptr) << name;
    return child;
}

class MainFormTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        form = std::make_unique<TMainForm>();
        form->setUrlOpener([this](const QUrl& url) {
            opened.push_back(url.toString().toStdString());
            return true;
        });
        grid = Child<DeviceGridView>(*form, "StringGrid1");
    }

    void Show()
    {
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    }

    // Three devices as a search round leaves them: sorted by Model, descending.
    void FillAsAfterRound()
    {
        Feed(form->state(), {Reply("B", "10.0.0.1", "00:00:00:00:00:01", "8080"),
                             Reply("a", "10.0.0.2", "00:00:00:00:00:02", "abc"),
                             Reply("C", "10.0.0.3", "00:00:00:00:00:03")});
        form->state().sortAscending = false;
        Discovery::SortDeviceGrid(form->state().grid, DeviceGrid::kModelColumn, false);
        Refresh(grid);
    }

    QPoint HeaderPoint(int column) const
    {
        const QHeaderView* header = grid->horizontalHeader();
        return {header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                header->height() / 2};
    }

    QPoint CellPoint(int column, int row) const
    {
        return grid->visualRect(grid->model()->index(row - 1, column)).center();
    }

    void ClickCell(int column, int row)
    {
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, CellPoint(column, row));
    }

    // The row the window treats as selected, as Browse sees it: the grid row
    // whose address Browse opens (0: it opens nothing).
    int SelectedRow()
    {
        opened.clear();
        form->Browser1Click();
        if (opened.empty())
            return 0;
        const DeviceGrid& cells = form->state().grid;
        for (int row = 1; row < cells.gridRowCount(); ++row)
            if (opened.back().starts_with("http://" + cells.cell(DeviceGrid::kIpColumn, row) + ":"))
                return row;
        return 0;
    }

    // Whether a right click on a data row shows the row menu.
    bool MenuShows()
    {
        auto* menu = Child<QMenu>(*form, "PopupMenu1");
        const QPoint at = CellPoint(1, 2);
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, grid->viewport()->mapToGlobal(at));
        QApplication::sendEvent(grid->viewport(), &event);
        const bool shown = menu->isVisible();
        menu->hide();
        return shown;
    }

    std::unique_ptr<TMainForm> form;
    DeviceGridView* grid = nullptr;
    std::vector<std::string> opened;
};

} // namespace

TEST_F(MainFormTest, EveryControlIsBuiltNamedAndPlaced)
{
    for (const char* name : {"Panel1", "Label1", "GroupBox1", "RadioButton1", "RadioButton2",
                             "ComboBox1", "ComboBox2", "CppWebBrowser1", "GroupBox2", "Proj",
                             "Button1", "StringGrid1", "Memo1", "PopupMenu1"})
        Child<QWidget>(*form, name);
    for (const char* name : {"Info1", "Browser1", "NetworkSetup1", "AssignAddresses1"})
        Child<QAction>(*form, name);
    EXPECT_EQ(Text(form->objectName()), "MainForm");

    // Construction moves the button and the label over the layout's places.
    EXPECT_EQ(Child<QPushButton>(*form, "Button1")->geometry(), QRect(80, 30, 177, 33));
    EXPECT_EQ(Child<QLabel>(*form, "Label1")->pos(), QPoint(280, 40));
    EXPECT_EQ(Child<QLabel>(*form, "Label1")->width(), 200);
    EXPECT_EQ(grid->pos(), QPoint(0, 81));
    EXPECT_EQ(Child<QWidget>(*form, "CppWebBrowser1")->geometry(), QRect(-280, 104, 300, 150));

    // The search-method and filter groups and the log never show.
    Show();
    EXPECT_FALSE(Child<QGroupBox>(*form, "GroupBox1")->isVisible());
    EXPECT_FALSE(Child<QGroupBox>(*form, "GroupBox2")->isVisible());
    EXPECT_FALSE(Child<QPlainTextEdit>(*form, "Memo1")->isVisible());
    EXPECT_TRUE(Child<QPushButton>(*form, "Button1")->isVisible());
    EXPECT_TRUE(grid->isVisible());
    EXPECT_TRUE(grid->verticalHeader()->isHidden());
    EXPECT_EQ(grid->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(grid->selectionBehavior(), QAbstractItemView::SelectRows);
}

TEST_F(MainFormTest, ControlsStartInTheirInitialState)
{
    EXPECT_TRUE(Child<QRadioButton>(*form, "RadioButton1")->isChecked());
    EXPECT_FALSE(Child<QRadioButton>(*form, "RadioButton2")->isChecked());
    auto* relay = Child<QComboBox>(*form, "ComboBox1");
    auto* transport = Child<QComboBox>(*form, "ComboBox2");
    EXPECT_FALSE(relay->isEnabled());
    EXPECT_FALSE(transport->isEnabled());
    EXPECT_EQ(Text(transport->currentText()), "TCP");
    EXPECT_EQ(transport->count(), 3);
    EXPECT_EQ(Text(transport->itemText(2)), "HttpCmd");
    auto* proj = Child<QComboBox>(*form, "Proj");
    EXPECT_EQ(Text(proj->currentText()), "ALL");
    ASSERT_EQ(proj->count(), 11);
    EXPECT_EQ(Text(proj->itemText(8)), "UPNP");
    EXPECT_TRUE(proj->itemText(9).isEmpty() && proj->itemText(10).isEmpty());
    EXPECT_EQ(form->state().grid.gridRowCount(), 2); // header and one blank row
    EXPECT_TRUE(form->state().sortAscending);
}

TEST_F(MainFormTest, TextsComeFromTheStringTable)
{
    EXPECT_EQ(Text(form->windowTitle()), std::string("Quendrel - ") + QUENDREL_VERSION_TEXT);
    // Each control's text (a group box's title), by object name.
    const std::tuple<const char*, const char*, const char*> texts[] = {
        {"Button1", "text", "Quendrel"}, {"Label1", "text", "0 device(s) found!"},
        {"RadioButton1", "text", "Local Broadcast"}, {"RadioButton2", "text", "IP Relay"},
        {"GroupBox1", "title", "Search Method"}, {"GroupBox2", "title", "Project Filter"},
        // The table's texts, not the layout's "Detail Info." and "Network Setup".
        {"Info1", "text", "Detail info."}, {"Browser1", "text", "Browse"}, {"NetworkSetup1", "text", "Network setup"},
        {"AssignAddresses1", "text", "Assign addresses..."}};
    for (const auto& [name, property, text] : texts)
        EXPECT_EQ(Text(Child<QObject>(*form, name)->property(property).toString()), text) << name;
    auto* relay = Child<QComboBox>(*form, "ComboBox1");
    ASSERT_EQ(relay->count(), 1);
    EXPECT_EQ(Text(relay->itemText(0)), "<Customized>");

    const std::vector<std::string> headers{"Model", "Project", "Name", "IP", "Port", "Netmask", "MAC"};
    for (int c = 0; c < DeviceGrid::kColumnCount; ++c)
        EXPECT_EQ(Text(grid->model()->headerData(c, Qt::Horizontal).toString()), headers[c]);
}

TEST_F(MainFormTest, LanguageChangeReappliesTextsButKeepsState)
{
    auto* relay = Child<QComboBox>(*form, "ComboBox1");
    relay->setEditText(QStringLiteral("10.9.8.7"));
    form->ComboBox1Exit();
    Child<QLabel>(*form, "Label1")->setText(QStringLiteral("stale"));

    QEvent change(QEvent::LanguageChange);
    QApplication::sendEvent(form.get(), &change);

    // The count line starts again from the table (the title and the grid's
    // header: SwappedLanguageModuleReachesTheOpenWindow); a typed relay host survives.
    EXPECT_EQ(Text(Child<QLabel>(*form, "Label1")->text()), "0 device(s) found!");
    ASSERT_EQ(relay->count(), 2);
    EXPECT_EQ(Text(relay->itemText(0)), "<Customized>");
    EXPECT_EQ(Text(relay->itemText(1)), "10.9.8.7");
}

TEST_F(MainFormTest, SwappedLanguageModuleReachesTheOpenWindow)
{
    // The German module built beside the programs, loaded while the window is open.
    const QString program = QCoreApplication::applicationDirPath() + QStringLiteral("/quendrel");
    ASSERT_TRUE(Resources::LoadNewResourceModule(0x0407, program)) << "no quendrel.DEU beside the tests";
    Resources::ReinitializeForms();
    const std::string label = Text(Child<QLabel>(*form, "Label1")->text());
    const std::string header = form->state().grid.cell(DeviceGrid::kModelColumn, 0);
    const std::string title = Text(form->windowTitle());
    const std::string name = Text(Dvconst::LoadResString(Dvconst::_QUENDREL));
    const std::string zero = Text(Dvconst::LoadResString(Dvconst::_ZERO_DEVICE_FOUND));
    const std::string model = Text(Dvconst::LoadResString(Dvconst::_MODEL));
    Resources::UnloadResourceModule();
    Resources::ReinitializeForms();

    ASSERT_NE(zero, "0 device(s) found!") << "the module should translate the count line";
    EXPECT_EQ(label, zero);
    EXPECT_EQ(header, model);
    EXPECT_EQ(title, name + " - " + QUENDREL_VERSION_TEXT);
    // And back to the program's own texts.
    EXPECT_EQ(Text(Child<QLabel>(*form, "Label1")->text()), "0 device(s) found!");
    EXPECT_EQ(form->state().grid.cell(DeviceGrid::kModelColumn, 0), "Model");
}

TEST_F(MainFormTest, StartUpLogsColumnWidthsAndProportions)
{
    const auto& log = form->log();
    EXPECT_TRUE(log.contains("Col[0] - (114, 114)\n"));
    EXPECT_TRUE(log.contains("Col[2] - (180, 419)\n"));
    EXPECT_TRUE(log.contains("Col[6] - (153, 802)\n"));
    EXPECT_TRUE(log.contains("Col[2] - (180, 802, 0.224439)\n"));
    EXPECT_TRUE(log.contains("Col[4] - (29, 802, 0.036160)\n"));

    // Every line also reaches the hidden log box.
    const QString memo = Child<QPlainTextEdit>(*form, "Memo1")->toPlainText();
    EXPECT_TRUE(memo.startsWith(QStringLiteral("Col[0] - (114, 114)\nCol[1] - (125, 239)\n")));
}

TEST_F(MainFormTest, LogLinesWithoutALineBreakDoNotGlueToTheNext)
{
    auto* memo = Child<QPlainTextEdit>(*form, "Memo1");
    memo->clear();
    form->log().append("CONNECT ERROR");
    form->log().append("socket() error : Bad file descriptor\n");
    form->log().append("[Kestravon,03,IPX]");
    form->log().append("SEND ERROR");
    EXPECT_EQ(memo->toPlainText(), QStringLiteral("CONNECT ERROR\nsocket() error : Bad file descriptor\n"
                                                  "[Kestravon,03,IPX]\nSEND ERROR"));
}

TEST_F(MainFormTest, HiddenLogKeepsOnlyItsLastLines)
{
    // A long run must not grow the log box without bound.
    for (int i = 0; i < TMainForm::kLogLines + 300; ++i)
        form->log().appendf("ARow(%d) ACol(0) IP()\n", i);
    auto* memo = Child<QPlainTextEdit>(*form, "Memo1");
    EXPECT_LE(memo->document()->blockCount(), TMainForm::kLogLines);
    EXPECT_LE(form->log().lines().size(), static_cast<std::size_t>(TMainForm::kLogLines));
    const QString text = memo->toPlainText();
    EXPECT_FALSE(text.contains(QStringLiteral("Col[0]")));
    EXPECT_TRUE(text.contains(QStringLiteral("ARow(%1) ACol(0)").arg(TMainForm::kLogLines + 299)));
}

TEST_F(MainFormTest, ResizeSpreadsGridAndColumnsByProportion)
{
    Show();
    // Outer size 1000 x 700, whatever frame the platform adds.
    const QSize frame = form->frameGeometry().size() - form->size();
    form->resize(1000 - frame.width(), 700 - frame.height());
    QApplication::processEvents();
    ASSERT_EQ(form->frameGeometry().size(), QSize(1000, 700));
    // The log hidden, so the grid takes its height; column c trunc(width(c)/802 * 980).
    EXPECT_EQ(grid->size(), QSize(980, 579));
    const int widths[] = {139, 152, 219, 125, 35, 119, 186};
    for (int c = 0; c < DeviceGrid::kColumnCount; ++c)
        EXPECT_EQ(grid->columnWidth(c), widths[c]) << "column " << c;

    // A user's own column width is overwritten by the next resize.
    grid->setColumnWidth(2, 40);
    form->resize(900 - frame.width(), 600 - frame.height());
    QApplication::processEvents();
    EXPECT_EQ(grid->size(), QSize(880, 479));
    EXPECT_EQ(grid->columnWidth(2), static_cast<int>(180.0f / 802.0f * 880.0f));
}

TEST_F(MainFormTest, HeaderClickInvertsTheSortDirection)
{
    Show();
    FillAsAfterRound();
    EXPECT_EQ(Column(form->state().grid, 0), (std::vector<std::string>{"C", "B", "a"}));

    QHeaderView* header = grid->horizontalHeader();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, HeaderPoint(0));
    EXPECT_TRUE(form->state().sortAscending);
    EXPECT_EQ(Column(form->state().grid, 0), (std::vector<std::string>{"a", "B", "C"}));
    // Rows move whole.
    EXPECT_EQ(Column(form->state().grid, DeviceGrid::kIpColumn),
              (std::vector<std::string>{"10.0.0.2", "10.0.0.1", "10.0.0.3"}));

    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, HeaderPoint(0));
    EXPECT_EQ(Column(form->state().grid, 0), (std::vector<std::string>{"C", "B", "a"}));

    // Other buttons, clicks on data rows and past the last column sort nothing.
    QTest::mouseClick(header->viewport(), Qt::RightButton, {}, HeaderPoint(0));
    ClickCell(0, 2);
    form->StringGrid1MouseUp(Qt::LeftButton, -1, 0);
    EXPECT_FALSE(form->state().sortAscending);
    EXPECT_EQ(Column(form->state().grid, 0), (std::vector<std::string>{"C", "B", "a"}));

    // Another column: by IP, ascending after the flag's inversion.
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, HeaderPoint(DeviceGrid::kIpColumn));
    EXPECT_EQ(Column(form->state().grid, DeviceGrid::kIpColumn),
              (std::vector<std::string>{"10.0.0.1", "10.0.0.2", "10.0.0.3"}));
}

TEST_F(MainFormTest, SelectingACellKeepsRowAndLogsIt)
{
    Show();
    FillAsAfterRound();
    EXPECT_EQ(SelectedRow(), 1); // before any click
    ClickCell(DeviceGrid::kIpColumn, 2);
    EXPECT_EQ(SelectedRow(), 2);
    EXPECT_TRUE(form->log().contains("ARow(2) ACol(3) IP(10.0.0.1)\n"));

    // The keyboard moves the selection as well.
    QTest::keyClick(grid, Qt::Key_Down);
    EXPECT_EQ(SelectedRow(), 3);
    EXPECT_TRUE(form->log().contains("ARow(3) ACol(3) IP(10.0.0.2)\n"));

    // The header row detaches the menu and keeps the selected row.
    form->StringGrid1SelectCell(2, 0);
    EXPECT_FALSE(MenuShows());
    EXPECT_EQ(SelectedRow(), 3);
    ClickCell(0, 1);
    EXPECT_TRUE(MenuShows());
    EXPECT_EQ(SelectedRow(), 1);
}

TEST_F(MainFormTest, ClearingTheGridIsNoSelection)
{
    Show();
    FillAsAfterRound();
    ClickCell(1, 3);
    const std::size_t lines = form->log().lines().size();
    form->state().clearForRound(); // what a new round does first
    Refresh(grid);
    EXPECT_EQ(form->log().lines().size(), lines); // no selection was logged
    FillAsAfterRound();
    EXPECT_EQ(SelectedRow(), 3); // the row picked before stays picked
    EXPECT_TRUE(MenuShows());
}

TEST_F(MainFormTest, SearchMethodControls)
{
    auto* relay = Child<QComboBox>(*form, "ComboBox1");
    auto* transport = Child<QComboBox>(*form, "ComboBox2");
    Child<QRadioButton>(*form, "RadioButton2")->click();
    EXPECT_TRUE(relay->isEnabled() && transport->isEnabled());
    Child<QRadioButton>(*form, "RadioButton1")->click();
    EXPECT_FALSE(relay->isEnabled() || transport->isEnabled());

    // Leaving the relay box keeps a typed address; "0", nothing or an
    // existing item add nothing.
    const auto leave = [&](const char* text) {
        relay->setEditText(QString::fromLatin1(text));
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(relay, &out);
    };
    leave("192.168.5.9");
    leave("0");
    leave("");
    leave("<Customized>");
    leave("192.168.5.9");
    ASSERT_EQ(relay->count(), 2);
    EXPECT_EQ(Text(relay->itemText(1)), "192.168.5.9");
}

TEST_F(MainFormTest, BrowseOpensTheSelectedDevicesPage)
{
    Show();
    FillAsAfterRound(); // rows: C (port 80), B (8080), a ("abc")
    ClickCell(0, 2);
    form->Browser1Click();
    ClickCell(0, 3);
    form->Browser1Click();
    ClickCell(0, 1);
    form->Browser1Click();
    EXPECT_EQ(opened, (std::vector<std::string>{"http://10.0.0.1:8080", "http://10.0.0.2:80",
                                                "http://10.0.0.3:80"}));
}

TEST_F(MainFormTest, DoubleClickAnywhereBrowses)
{
    Show();
    FillAsAfterRound();
    const auto urlOfRow = [&](int row) {
        const std::string& ip = form->state().grid.cell(DeviceGrid::kIpColumn, row);
        return "http://" + ip + (ip == "10.0.0.1" ? ":8080" : ":80");
    };
    // On the header, with nothing picked yet: row 1 (whatever the clicks sorted).
    QTest::mouseDClick(grid->horizontalHeader()->viewport(), Qt::LeftButton, {}, HeaderPoint(5));
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened.back(), urlOfRow(1));

    // On a data row: the press picks the row, the double-click opens it.
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, CellPoint(2, 2));
    ASSERT_EQ(opened.size(), 2u);
    EXPECT_EQ(opened.back(), urlOfRow(2));
}

TEST_F(MainFormTest, BrowseOpensNothingWithoutAMatchingDevice)
{
    FillAsAfterRound();
    auto& state = form->state();

    // Selected row at the row count, one past the last row.
    form->StringGrid1SelectCell(0, 3);
    state.grid.setGridRowCount(3);
    form->Browser1Click();
    // Far past the end.
    form->StringGrid1SelectCell(0, 40);
    form->Browser1Click();

    // A row whose MAC (or IP) differs from every listed device, letter case included.
    form->StringGrid1SelectCell(0, 1);
    state.grid.setCell(DeviceGrid::kMacColumn, 1, "00:00:00:00:00:0A");
    form->Browser1Click();
    state.grid.setCell(DeviceGrid::kMacColumn, 1, state.grid.cell(DeviceGrid::kMacColumn, 2));
    form->Browser1Click(); // MAC of another row, IP of this one

    // An empty list after a round that found nothing.
    state.clearForRound();
    state.grid.setGridRowCount(2);
    form->StringGrid1SelectCell(0, 1);
    form->Browser1Click();
    EXPECT_TRUE(opened.empty());
}

TEST_F(MainFormTest, BrowseRefusesAnAddressThatIsNoHost)
{
    // Relay pages fill the list unchecked: such a cell must not become a URL.
    Discovery::DeviceInfo device{};
    Discovery::CopyToField(device.ip, "x/../evil");
    Discovery::CopyToField(device.mac, "00:00:00:00:00:09");
    Discovery::CopyToField(device.trigger_port, "80");
    auto& state = form->state();
    state.devices.push_back(device);
    state.grid.setGridRowCount(2);
    Discovery::FillGridRow(state.grid, 1, device);
    form->Browser1Click();
    EXPECT_TRUE(opened.empty());
    EXPECT_TRUE(form->log().contains("Browse: no valid http address for IP(x/../evil)\n"));
}

TEST_F(MainFormTest, BrowseWithoutABrowserShowsTheAddressToCopy)
{
    // No browser at all, and xdg-open that starts but finds none (it exits 3).
    QTemporaryDir bin;
    ASSERT_TRUE(bin.isValid());
    QFile xdgOpen(bin.filePath(QStringLiteral("xdg-open")));
    ASSERT_TRUE(xdgOpen.open(QIODevice::WriteOnly));
    xdgOpen.write("#!/bin/sh\nexit 3\n");
    xdgOpen.close();
    xdgOpen.setPermissions(QFile::ReadOwner | QFile::ExeOwner);
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", bin.path().toLocal8Bit());

    for (const bool startsXdgOpen : {false, true}) {
        SCOPED_TRACE(startsXdgOpen ? "xdg-open finds no browser" : "no browser starts");
        if (startsXdgOpen)
            form = std::make_unique<TMainForm>(); // the window's own opener
        else
            form->setUrlOpener([](const QUrl&) { return false; });
        grid = Child<DeviceGridView>(*form, "StringGrid1");
        Show();
        FillAsAfterRound(); // rows: C (port 80), B (8080), a ("abc")
        // The program's own box, answered by a "user" who notes what it says.
        QStringList seen;
        bool selectable = false;
        QTimer user;
        QObject::connect(&user, &QTimer::timeout, [&] {
            for (QWidget* top : QApplication::topLevelWidgets()) {
                auto* box = qobject_cast<QMessageBox*>(top);
                if (box && box->isVisible()) {
                    seen << box->windowTitle() + QLatin1Char('|') + box->text();
                    selectable = box->textInteractionFlags().testFlag(Qt::TextSelectableByMouse);
                    box->button(QMessageBox::Ok)->click();
                }
            }
        });
        user.start(10);
        ClickCell(0, 2);
        form->Browser1Click();
        QTest::qWaitFor([&] { return !seen.isEmpty(); }, 5000);
        EXPECT_EQ(seen, QStringList{QStringLiteral("Warning|No web browser could be started. Open this address in a "
                                                   "browser yourself:\n\nhttp://10.0.0.1:8080")});
        EXPECT_TRUE(selectable);
    }
    qputenv("PATH", path);
}

// A Persian window used to keep every control where a left-to-right one has it.
TEST_F(MainFormTest, ARightToLeftLanguageMirrorsTheWindowAndTheGridsColumns)
{
    Show();
    FillAsAfterRound();
    auto* button = Child<QPushButton>(*form, "Button1");
    const QRect leftToRight = button->geometry();
    QApplication::setLayoutDirection(Qt::RightToLeft);
    QCoreApplication::processEvents();
    const QRect mirrored = button->geometry();
    const int firstColumn = grid->horizontalHeader()->sectionViewportPosition(0);
    const int lastColumn = grid->horizontalHeader()->sectionViewportPosition(DeviceGrid::kColumnCount - 1);
    // A wider window keeps the button at its distance from the right edge.
    form->resize(form->width() + 100, form->height());
    QCoreApplication::processEvents();
    const int fromRightAfterResize = form->width() - button->geometry().right() - 1;
    QApplication::setLayoutDirection(Qt::LeftToRight);
    QCoreApplication::processEvents();

    EXPECT_EQ(mirrored.size(), leftToRight.size());
    EXPECT_EQ(form->width() - 100 - mirrored.right() - 1, leftToRight.left());
    EXPECT_EQ(fromRightAfterResize, leftToRight.left());
    EXPECT_GT(firstColumn, lastColumn) << "the first column stands on the right";
    EXPECT_EQ(button->geometry(), leftToRight);
}

TEST_F(MainFormTest, AtItsSmallestTheWindowStillShowsTheButtonTheCountAndEveryHeader)
{
    Show();
    FillAsAfterRound();
    const auto checkSmallest = [&] {
        form->resize(1, 1);
        QCoreApplication::processEvents();
        ASSERT_EQ(form->size(), form->minimumSize());
        for (const char* name : {"Button1", "Label1"}) {
            const QWidget* control = Child<QWidget>(*form, name);
            EXPECT_TRUE(form->rect().contains(QRect(control->mapTo(form.get(), QPoint()), control->size()))) << name;
        }
        auto* label = Child<QLabel>(*form, "Label1");
        EXPECT_LE(label->sizeHint().width(), label->width());
        // Three rows and room for one: the columns are spread beside the scroll bar.
        EXPECT_GE(grid->height(), grid->headerAndRowHeight());
        for (int c = 0; c < DeviceGrid::kColumnCount; ++c)
            EXPECT_GE(grid->columnWidth(c), grid->horizontalHeader()->sectionSizeHint(c))
                << form->state().grid.cell(c, 0);
    };
    checkSmallest();
    // The German headers are wider ("Netzmaske").
    const QString program = QCoreApplication::applicationDirPath() + QStringLiteral("/quendrel");
    ASSERT_TRUE(Resources::LoadNewResourceModule(0x0407, program));
    Resources::ReinitializeForms();
    checkSmallest();
    Resources::UnloadResourceModule();
    Resources::ReinitializeForms();
}

// A UPnP row (MAC "NULL") cannot take a package: alone it leaves the entry
// disabled, beside camera rows it is left out of the dialog.
TEST_F(MainFormTest, AssignAddressesTakesOnlyTheSelectedDatagramDevices)
{
    // 203.0.113.0/24: no adapter of a test machine is in it, so the dialog probes nothing.
    Feed(form->state(), {Reply("A", "203.0.113.11", "02:00:5E:00:00:01"), Reply("B", "203.0.113.12", "02:00:5E:00:00:02"),
                         Reply("C", "203.0.113.13", "02:00:5E:00:00:03")});
    DeviceGrid& cells = form->state().grid;
    const int upnpRow = cells.gridRowCount();
    cells.setGridRowCount(upnpRow + 1);
    cells.setRow(upnpRow, {"AXIS M3045", "UPNP", "Lobby", "203.0.113.40", "80", "NULL", "NULL"});
    Refresh(grid);
    Show();
    auto* entry = Child<QAction>(*form, "AssignAddresses1");
    const auto select = [&](std::initializer_list<int> rows) {
        grid->clearSelection();
        for (const int row : rows)
            grid->selectionModel()->select(grid->model()->index(row - 1, 0),
                                           QItemSelectionModel::Select | QItemSelectionModel::Rows);
        grid->selectionModel()->setCurrentIndex(grid->model()->index(*rows.begin() - 1, 0),
                                                QItemSelectionModel::NoUpdate);
    };

    select({upnpRow});
    form->PopupMenu1Popup();
    EXPECT_FALSE(entry->isEnabled());

    const int a = TestSupport::RowWith(cells, DeviceGrid::kMacColumn, "02:00:5E:00:00:01");
    const int c = TestSupport::RowWith(cells, DeviceGrid::kMacColumn, "02:00:5E:00:00:03");
    select({c, upnpRow, a});
    form->PopupMenu1Popup();
    EXPECT_TRUE(entry->isEnabled());
    QStringList macs;
    Gui::DeviceMenuHooks hooks;
    hooks.showAssign = [&](QDialog& dialog) {
        auto* plan = dialog.findChild<QTableWidget*>(QStringLiteral("Plan"));
        ASSERT_NE(plan, nullptr);
        for (int r = 0; r < plan->rowCount(); ++r)
            macs << plan->item(r, 0)->text();
    };
    form->setDialogHooks(hooks);
    entry->trigger();
    macs.sort();
    EXPECT_EQ(macs, (QStringList{QStringLiteral("02:00:5E:00:00:01"), QStringLiteral("02:00:5E:00:00:03")}));
}
