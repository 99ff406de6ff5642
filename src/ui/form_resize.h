// SPDX-License-Identifier: MIT
#pragma once

#include <functional>
#include <optional>
#include <vector>

namespace Gui {

// What FormResize reads: the window's outer size, the log box and the grid.
struct FormResizeInput {
    int formWidth = 0;  // outer width, frame included
    int formHeight = 0; // outer height, frame and title bar included
    bool memoVisible = false;
    int memoLeft = 0;
    int memoHeight = 0;
    int gridLeft = 0;
    int gridTop = 0;
    int gridRowCount = 0; // header row included
    // Wholly visible rows of the grid at a given grid height.
    std::function<int(int gridHeight)> visibleRowCount;
    std::vector<float> proportions;
    std::vector<int> columnWidths; // current widths, one per grid column
};

struct FormResizeResult {
    std::optional<int> memoTop;   // set only when the log box is visible
    std::optional<int> memoWidth;
    int gridWidth = 0;
    int gridHeight = 0;
    int allowance = 0; // room kept for the vertical scroll bar
    std::vector<int> columnWidths;
};

FormResizeResult ComputeFormResize(const FormResizeInput& in);

} // namespace Gui
