// SPDX-License-Identifier: MIT
#include "ui/form_resize.h"

#include <cstddef>

namespace Gui {

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
    out.gridHeight = in.formHeight - in.gridTop - logHeight - 40;

    // Room for the vertical scroll bar once the data rows outgrow the visible
    // ones, so the last column never sits under it.
    const int visible = in.visibleRowCount ? in.visibleRowCount(out.gridHeight) : 0;
    const int dataRows = in.gridRowCount - 1;
    out.allowance = dataRows > visible ? 20 : 0;

    out.gridWidth = in.formWidth - in.gridLeft - 20;

    if (in.proportions.empty())
        return out;
    const int spread = out.gridWidth - out.allowance;
    for (std::size_t c = 0; c < out.columnWidths.size() && c < in.proportions.size(); ++c) {
        if (in.proportions[c] > 0.0f)
            out.columnWidths[c] = static_cast<int>(in.proportions[c] * static_cast<float>(spread));
    }
    return out;
}

} // namespace Gui
