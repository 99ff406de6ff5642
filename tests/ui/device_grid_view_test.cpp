// SPDX-License-Identifier: MIT
#include "window_support.h"
#include "ui/main_form.h"

#include "replies.h"

#include <QClipboard>
#include <QHelpEvent>
#include <QHeaderView>
#include <QScrollBar>
#include <QStyleOptionViewItem>
#include <QAbstractItemDelegate>
#include <QMenu>
#include <QMouseEvent>
#include <QToolTip>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

using Discovery::DeviceGrid;
using Gui::DeviceGridView;
using TestSupport::Feed;
using TestSupport::Reply;

namespace {

void MoveTo(QWidget* widget, QPoint pos)
{
    QMouseEvent move(QEvent::MouseMove, QPointF(pos), QPointF(widget->mapToGlobal(pos)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

// The view alone on a grid of `rows` rows, the header included.
class BareGridView : public ::testing::Test {
protected:
    void Show(int rows, QSize size = {500, 300})
    {
        grid.setGridRowCount(rows);
        model.sync();
        view.setModel(&model);
        view.resize(size);
        view.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    }

    DeviceGrid grid;
    Gui::DeviceGridModel model{grid};
    DeviceGridView view;
};

// The grid as the main window shows it.
class GridInWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
        grid = form.findChild<DeviceGridView*>(QStringLiteral("StringGrid1"));
        ASSERT_NE(grid, nullptr);
    }

    Gui::TMainForm form;
    DeviceGridView* grid = nullptr;
};

} // namespace

TEST_F(GridInWindow, HandCursorOnlyOverAddressesOfDataRows)
{
    Feed(form.state(), {Reply("A", "10.0.0.1", "00:00:00:00:00:01"),
                        Reply("B", "10.0.0.2", "00:00:00:00:00:02")});
    Refresh(grid);
    QWidget* viewport = grid->viewport();
    const auto cellCenter = [&](int column, int row) {
        return grid->visualRect(grid->model()->index(row - 1, column)).center();
    };

    MoveTo(viewport, cellCenter(DeviceGrid::kIpColumn, 2));
    EXPECT_EQ(viewport->cursor().shape(), Qt::PointingHandCursor);
    MoveTo(viewport, cellCenter(DeviceGrid::kNameColumn, 2));
    EXPECT_EQ(viewport->cursor().shape(), Qt::ArrowCursor);
    MoveTo(viewport, cellCenter(DeviceGrid::kIpColumn, 1));
    EXPECT_EQ(viewport->cursor().shape(), Qt::PointingHandCursor);
    // Below the last row is no row at all.
    MoveTo(viewport, QPoint(cellCenter(DeviceGrid::kIpColumn, 1).x(), viewport->height() - 2));
    EXPECT_EQ(viewport->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(BareGridView, ReportsCellsWithTheHeaderAsRowZero)
{
    Show(4);

    QSignalSpy ups(&view, &DeviceGridView::mouseUp);
    QSignalSpy picks(&view, &DeviceGridView::cellSelected);
    const QPoint cell = view.visualRect(model.index(2, 1)).center();
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, cell);
    ASSERT_EQ(picks.count(), 1);
    EXPECT_EQ(picks.at(0).at(0).toInt(), 1);
    EXPECT_EQ(picks.at(0).at(1).toInt(), 3);
    ASSERT_EQ(ups.count(), 1);
    EXPECT_EQ(ups.at(0).at(2).toInt(), 3);

    QHeaderView* header = view.horizontalHeader();
    const QPoint onHeader(header->sectionViewportPosition(4) + 5, header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, onHeader);
    ASSERT_EQ(ups.count(), 2);
    EXPECT_EQ(ups.at(1).at(1).toInt(), 4);
    EXPECT_EQ(ups.at(1).at(2).toInt(), 0);
    // The header is no column selection of the view's own.
    EXPECT_EQ(picks.count(), 1);
}

TEST_F(BareGridView, DraggingAColumnEdgeIsNoHeaderClick)
{
    Show(3);
    QHeaderView* header = view.horizontalHeader();
    QSignalSpy ups(&view, &DeviceGridView::mouseUp);

    const int before = header->sectionSize(0);
    const int edge = header->sectionViewportPosition(0) + before - 1;
    const int y = header->height() / 2;
    QTest::mousePress(header->viewport(), Qt::LeftButton, {}, QPoint(edge, y));
    QTest::mouseMove(header->viewport(), QPoint(edge + 30, y));
    QTest::mouseRelease(header->viewport(), Qt::LeftButton, {}, QPoint(edge + 30, y));
    ASSERT_NE(header->sectionSize(0), before) << "the drag did not resize; the check below means nothing";
    EXPECT_EQ(ups.count(), 0);

    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(10, y));
    EXPECT_EQ(ups.count(), 1);
}

TEST_F(BareGridView, VisibleRowCountCountsOnlyExistingWholeRows)
{
    Show(2, {500, 400}); // one data row
    EXPECT_EQ(view.visibleRowCount(400), 1);

    grid.setGridRowCount(101);
    model.sync();
    const int header = view.horizontalHeader()->sizeHint().height();
    const int room = 400 - 2 * view.frameWidth() - header;
    EXPECT_EQ(view.visibleRowCount(400), room / view.rowHeight(0));
    EXPECT_EQ(view.visibleRowCount(0), 0);
}

// At the window's default size, with enough rows for a scroll bar, a
// five-digit port shows whole and the MAC column ends before the scroll bar.
TEST_F(GridInWindow, FiveDigitPortsAndTheMacColumnShowWholeBesideTheScrollBar)
{
    for (int i = 0; i < 30; ++i) {
        const std::string n = std::to_string(10 + i);
        Feed(form.state(), {Reply("KV-" + n, "10.0.0." + n, "00:1A:07:00:10:" + n, "65535")});
    }
    Refresh(grid);
    QCoreApplication::processEvents(); // the view lays out its scroll bar
    ASSERT_EQ(form.frameGeometry().size(), QSize(807, 624));
    ASSERT_TRUE(grid->verticalScrollBar()->isVisible());

    QStyleOptionViewItem option;
    option.initFrom(grid);
    option.widget = grid;
    option.font = grid->font();
    option.fontMetrics = grid->fontMetrics();
    const QModelIndex port = grid->model()->index(0, DeviceGrid::kPortColumn);
    ASSERT_EQ(port.data().toString(), QStringLiteral("65535"));
    // The painted cell is the column less its grid line.
    EXPECT_LE(grid->itemDelegate()->sizeHint(option, port).width(), grid->columnWidth(DeviceGrid::kPortColumn) - 1);
    const QModelIndex mac = grid->model()->index(0, DeviceGrid::kMacColumn);
    EXPECT_LE(grid->itemDelegate()->sizeHint(option, mac).width(), grid->columnWidth(DeviceGrid::kMacColumn) - 1);
    EXPECT_LE(grid->columnViewportPosition(DeviceGrid::kMacColumn) + grid->columnWidth(DeviceGrid::kMacColumn),
              grid->viewport()->width());
}

TEST_F(GridInWindow, CtrlCCopiesEnterOpensAndShiftF10ShowsTheMenuOfTheRow)
{
    std::vector<QUrl> opened;
    form.setUrlOpener([&](const QUrl& url) { opened.push_back(url); return true; });
    Feed(form.state(), {Reply("A", "10.0.0.1", "00:00:00:00:00:01", "8080"),
                        Reply("B", "10.0.0.2", "00:00:00:00:00:02"), Reply("C", "10.0.0.3", "00:00:00:00:00:03")});
    Refresh(grid);
    grid->setFocus();
    grid->setCurrentIndex(grid->model()->index(2, 0));
    grid->selectionModel()->select(grid->model()->index(0, 0),
                                   QItemSelectionModel::Select | QItemSelectionModel::Rows);

    QTest::keyClick(grid, Qt::Key_C, Qt::ControlModifier);
    const QStringList lines = QApplication::clipboard()->text().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3); // header, then rows in grid order
    EXPECT_EQ(lines[0], QStringLiteral("Model\tProject\tName\tIP\tPort\tNetmask\tMAC"));
    EXPECT_EQ(lines[1].split(QLatin1Char('\t')).size(), 7);
    EXPECT_TRUE(lines[1].startsWith(grid->model()->index(0, 0).data().toString() + QLatin1Char('\t')));
    EXPECT_TRUE(lines[2].startsWith(grid->model()->index(2, 0).data().toString() + QLatin1Char('\t')));

    grid->setCurrentIndex(grid->model()->index(0, 0));
    const QString ip = grid->model()->index(0, DeviceGrid::kIpColumn).data().toString();
    QTest::keyClick(grid, Qt::Key_Return);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0].host(), ip);

    // Shift+F10 is the Menu key of keyboards without one.
    auto* menu = form.findChild<QMenu*>(QStringLiteral("PopupMenu1"));
    ASSERT_NE(menu, nullptr);
    QTest::keyClick(grid, Qt::Key_F10, Qt::ShiftModifier);
    EXPECT_TRUE(menu->isVisible());
    menu->hide();
}

TEST_F(GridInWindow, OnlyACutCellShowsItsWholeTextAsATooltip)
{
    const std::string wide = "KV-WWWWWWWWWWWWWWWWWWWWWWWWWWW"; // far wider than the Model column
    Feed(form.state(), {Reply(wide, "10.0.0.1", "00:00:00:00:00:01"), Reply("B", "10.0.0.2", "00:00:00:00:00:02")});
    Refresh(grid);
    const auto hover = [&](int column, int row) {
        const QPoint at = grid->visualRect(grid->model()->index(row - 1, column)).center();
        QHelpEvent help(QEvent::ToolTip, at, grid->viewport()->mapToGlobal(at));
        QApplication::sendEvent(grid->viewport(), &help);
        return QToolTip::isVisible() ? QToolTip::text().toStdString() : std::string("(none)");
    };
    const int cut = TestSupport::RowWith(form.state().grid, DeviceGrid::kModelColumn, wide);
    const int whole = TestSupport::RowWith(form.state().grid, DeviceGrid::kModelColumn, "B");
    // Whole texts first: a tooltip once shown lingers a moment after it is hidden.
    EXPECT_EQ(hover(DeviceGrid::kModelColumn, whole), "(none)");
    EXPECT_EQ(hover(DeviceGrid::kIpColumn, cut), "(none)");
    EXPECT_EQ(hover(DeviceGrid::kModelColumn, cut), wide);
}

TEST(DeviceGridModel, ARoundsRowsReachTheViewsInFewSignalsAndStayInStep)
{
    DeviceGrid grid;
    grid.setGridRowCount(2); // the window's blank row
    Gui::DeviceGridModel model(grid);
    int viewRows = model.rowCount();
    int inserts = 0, removals = 0, changes = 0;
    QObject::connect(&model, &QAbstractItemModel::rowsInserted, [&](const QModelIndex&, int first, int last) {
        EXPECT_EQ(first, viewRows);
        viewRows += last - first + 1;
        EXPECT_EQ(model.rowCount(), viewRows);
        ++inserts;
    });
    QObject::connect(&model, &QAbstractItemModel::rowsRemoved, [&](const QModelIndex&, int first, int last) {
        viewRows -= last - first + 1;
        EXPECT_EQ(model.rowCount(), viewRows);
        ++removals;
    });
    QObject::connect(&model, &QAbstractItemModel::dataChanged, [&] { ++changes; });
    grid.clearDataCells();
    grid.setGridRowCount(1);
    for (int r = 1; r <= 500; ++r) {
        grid.setGridRowCount(r + 1);
        grid.setCell(0, r, std::to_string(1000 - r));
    }
    Discovery::SortDeviceGrid(grid, 0, true);
    EXPECT_EQ(model.rowCount(), 1); // views still see the old rows until the sync
    model.sync();
    EXPECT_EQ(removals, 1);
    EXPECT_EQ(inserts, 1);
    EXPECT_EQ(changes, 0); // the cleared row went away and came back as an insert
    EXPECT_EQ(model.rowCount(), 500);
    EXPECT_EQ(model.data(model.index(0, 0)).toString(), "500");
    EXPECT_EQ(model.data(model.index(499, 0)).toString(), "999");
    EXPECT_EQ(model.data(model.index(500, 0)).toString(), ""); // past the grid: empty, no crash
    grid.setCell(0, 0, "Model");
    model.sync();
    EXPECT_EQ(model.headerData(0, Qt::Horizontal).toString(), "Model");
}
