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

// What the window's smallest size must still show: the panel's controls, and
// the grid's header and one row, each column as wide as its header needs.
struct MinimumFormInput {
    int controlsRight = 0; // right edge of the rightmost control above the grid
    int gridLeft = 0;
    int gridTop = 0;
    int gridChromeHeight = 0; // header, one row and the frame
    std::vector<float> proportions;
    std::vector<int> headerWidths; // one per grid column
};

struct MinimumFormSize {
    int width = 0;
    int height = 0;
};

// The smallest outer size at which ComputeFormResize still gives every
// column at least its header's width, even beside the scroll bar.
MinimumFormSize ComputeMinimumFormSize(const MinimumFormInput& in);

} // namespace Gui
