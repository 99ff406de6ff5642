// SPDX-License-Identifier: MIT
#include "discovery/device_grid.h"

#include "replies.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace Discovery;
using TestSupport::Column;

namespace {

// A grid whose data rows carry `models` in column 0 and a row tag in column 2.
void Fill(DeviceGrid& grid, const std::vector<std::string>& models)
{
    grid.setGridRowCount(static_cast<int>(models.size()) + 1);
    grid.setCell(0, 0, "Model");
    for (std::size_t i = 0; i < models.size(); ++i) {
        grid.setCell(0, static_cast<int>(i + 1), models[i]);
        grid.setCell(2, static_cast<int>(i + 1), "row" + std::to_string(i));
    }
}

} // namespace

TEST(SortDeviceGrid, EqualKeysAreOrderedByTheRestOfTheRow)
{
    DeviceGrid grid;
    Fill(grid, {"cam", "CAM", "Cam"});
    grid.setCell(1, 1, "z");
    grid.setCell(1, 2, "x");
    grid.setCell(1, 3, "y");
    SortDeviceGrid(grid, 0, true);
    EXPECT_EQ(Column(grid, 1), (std::vector<std::string>{"x", "y", "z"}));
}

TEST(SortDeviceGrid, MovesRowsWholeEvenWithSeparatorsInCells)
{
    DeviceGrid grid;
    Fill(grid, {"b@x", "a\r\nline", "c"});
    SortDeviceGrid(grid, 0, true);
    EXPECT_EQ(Column(grid, 0), (std::vector<std::string>{"a\r\nline", "b@x", "c"}));
    // Each row's other cells travel with it.
    EXPECT_EQ(Column(grid, 2), (std::vector<std::string>{"row1", "row0", "row2"}));
}

TEST(SortDeviceGrid, SmallGridsAreNeverReordered)
{
    DeviceGrid one;
    Fill(one, {"only"});
    SortDeviceGrid(one, 0, false);
    EXPECT_EQ(Column(one, 0), (std::vector<std::string>{"only"}));

    DeviceGrid empty;
    SortDeviceGrid(empty, 3, true);
    EXPECT_EQ(empty.gridRowCount(), 2); // at least one blank data row
    EXPECT_EQ(empty.fixedRows(), 1);
}

TEST(DeviceGridModel, ShowsDataRowsAndTheHeaderRow)
{
    DeviceGrid grid;
    Fill(grid, {"x", "y"});
    EXPECT_EQ(grid.rowCount(), 2);
    EXPECT_EQ(grid.columnCount(), 7);
    EXPECT_EQ(grid.headerData(0, Qt::Horizontal).toString(), "Model");
    EXPECT_EQ(grid.data(grid.index(1, 0)).toString(), "y");
    grid.setCell(0, 9, "outside"); // ignored, no crash
    EXPECT_EQ(grid.cell(0, 9), "");
    EXPECT_EQ(grid.cell(-1, 0), "");
}

TEST(DeviceGridModel, BatchAnnouncesARoundsRowsOnceAndViewsStayInStep)
{
    DeviceGrid grid;
    grid.setGridRowCount(2); // the window's blank row
    int viewRows = grid.rowCount();
    int inserts = 0, removals = 0, changes = 0;
    QObject::connect(&grid, &DeviceGrid::rowsInserted, [&](const QModelIndex&, int first, int last) {
        EXPECT_EQ(first, viewRows);
        viewRows += last - first + 1;
        EXPECT_EQ(grid.rowCount(), viewRows);
        ++inserts;
    });
    QObject::connect(&grid, &DeviceGrid::rowsRemoved, [&](const QModelIndex&, int first, int last) {
        viewRows -= last - first + 1;
        EXPECT_EQ(grid.rowCount(), viewRows);
        ++removals;
    });
    QObject::connect(&grid, &DeviceGrid::dataChanged, [&] { ++changes; });
    {
        DeviceGrid::Batch batch(grid);
        grid.clearDataCells();
        grid.setGridRowCount(1);
        for (int r = 1; r <= 500; ++r) {
            grid.setGridRowCount(r + 1);
            grid.setCell(0, r, std::to_string(1000 - r));
        }
        SortDeviceGrid(grid, 0, true);
        EXPECT_EQ(grid.rowCount(), 1); // views still see the old rows
        EXPECT_EQ(inserts + removals + changes, 0);
    }
    EXPECT_EQ(removals, 1);
    EXPECT_EQ(inserts, 1);
    EXPECT_EQ(changes, 0); // the cleared row went away and came back as an insert
    EXPECT_EQ(grid.rowCount(), 500);
    EXPECT_EQ(grid.data(grid.index(0, 0)).toString(), "500");
    EXPECT_EQ(grid.data(grid.index(499, 0)).toString(), "999");
}
