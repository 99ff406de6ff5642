// SPDX-License-Identifier: MIT
#include "ui/form_resize.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace Gui {

namespace {
// The margins the resize rule keeps right of and below the grid, and the room
// it keeps for the scroll bar.
constexpr int kGridRightMargin = 20;
constexpr int kGridBottomMargin = 40;
constexpr int kScrollBarAllowance = 20;
} // namespace

// The main window's resize rule: the grid fills the window below the panel,
// less fixed margins, and its columns are spread by the proportions recorded
// at start-up. Columns whose proportion is not positive keep their width;
// an empty proportion list leaves every column alone.
FormResizeResult ComputeFormResize(const FormResizeInput& in)
{
    FormResizeResult out;
    out.columnWidths = in.columnWidths;

    int logHeight = 0;
    if (in.memoVisible) {
        logHeight = in.memoHeight;
        out.memoTop = in.formHeight - in.gridTop - logHeight + 55;
        out.memoWidth = in.formWidth - in.memoLeft - 10;
    }
    out.gridHeight = in.formHeight - in.gridTop - logHeight - kGridBottomMargin;

    // Room for the vertical scroll bar once the data rows outgrow the visible
    // ones, so the last column never sits under it.
    const int visible = in.visibleRowCount ? in.visibleRowCount(out.gridHeight) : 0;
    const int dataRows = in.gridRowCount - 1;
    out.allowance = dataRows > visible ? kScrollBarAllowance : 0;

    out.gridWidth = in.formWidth - in.gridLeft - kGridRightMargin;

    if (in.proportions.empty())
        return out;
    const int spread = out.gridWidth - out.allowance;
    for (std::size_t c = 0; c < out.columnWidths.size() && c < in.proportions.size(); ++c) {
        if (in.proportions[c] > 0.0f)
            out.columnWidths[c] = static_cast<int>(in.proportions[c] * static_cast<float>(spread));
    }
    return out;
}

MinimumFormSize ComputeMinimumFormSize(const MinimumFormInput& in)
{
    // Columns get trunc(proportion * spread): the spread that gives column c
    // its header width is the width over the proportion, rounded up, plus a
    // pixel for the float product falling just short.
    int spread = 0;
    for (std::size_t c = 0; c < in.headerWidths.size() && c < in.proportions.size(); ++c) {
        if (in.proportions[c] > 0.0f) {
            const double need = std::ceil(in.headerWidths[c] / static_cast<double>(in.proportions[c])) + 1;
            spread = std::max(spread, static_cast<int>(need));
        }
    }
    MinimumFormSize out;
    out.width = std::max(in.controlsRight, in.gridLeft + spread + kScrollBarAllowance + kGridRightMargin);
    out.height = in.gridTop + in.gridChromeHeight + kGridBottomMargin;
    return out;
}

} // namespace Gui
