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
    empty.setCell(0, 9, "outside"); // ignored, no crash
    EXPECT_EQ(empty.cell(0, 9), "");
    EXPECT_EQ(empty.cell(-1, 0), "");
}
