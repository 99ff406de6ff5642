// SPDX-License-Identifier: MIT
#include "ui/form_resize.h"

#include <gtest/gtest.h>

using Gui::ComputeFormResize;
using Gui::FormResizeInput;

namespace {

const std::vector<float> kLayoutProportions = [] {
    const std::vector<int> widths{114, 125, 180, 103, 29, 98, 153};
    std::vector<float> p;
    for (int w : widths)
        p.push_back(static_cast<float>(static_cast<double>(w) / 802));
    return p;
}();

FormResizeInput Window(int width, int height)
{
    FormResizeInput in;
    in.formWidth = width;
    in.formHeight = height;
    in.memoLeft = 0;
    in.memoHeight = 162;
    in.gridLeft = 0;
    in.gridTop = 81;
    in.gridRowCount = 2;
    in.visibleRowCount = [](int) { return 1; };
    in.proportions = kLayoutProportions;
    in.columnWidths = {114, 125, 180, 103, 29, 98, 153};
    return in;
}

} // namespace

TEST(FormResize, VisibleLogTakesItsHeightFromTheGrid)
{
    FormResizeInput in = Window(1000, 700);
    in.memoVisible = true;
    const auto out = ComputeFormResize(in);
    EXPECT_EQ(out.gridHeight, 700 - 81 - 162 - 40);
    ASSERT_TRUE(out.memoTop && out.memoWidth);
    EXPECT_EQ(*out.memoTop, 700 - 81 - 162 + 55);
    EXPECT_EQ(*out.memoWidth, 990);
}

TEST(FormResize, ScrollBarAllowanceKeepsTheLastColumnClearOfTheScrollBar)
{
    FormResizeInput in = Window(1000, 700);
    int askedHeight = -1;
    in.visibleRowCount = [&](int height) { askedHeight = height; return 3; };
    in.gridRowCount = 5; // four data rows, three visible: the scroll bar shows
    auto out = ComputeFormResize(in);
    EXPECT_EQ(askedHeight, 579); // counted at the new height
    EXPECT_EQ(out.allowance, 20);
    EXPECT_EQ(out.columnWidths[2], static_cast<int>(kLayoutProportions[2] * 960.0f));

    in.gridRowCount = 4; // three data rows, all visible: no scroll bar
    out = ComputeFormResize(in);
    EXPECT_EQ(out.allowance, 0);
}

TEST(FormResize, ColumnsWithoutProportionKeepTheirWidth)
{
    FormResizeInput in = Window(1000, 700);
    in.proportions = {0.5f, 0.0f, -1.0f};
    auto out = ComputeFormResize(in);
    EXPECT_EQ(out.columnWidths, (std::vector<int>{490, 125, 180, 103, 29, 98, 153}));

    in.proportions.clear(); // all widths were zero at start-up
    out = ComputeFormResize(in);
    EXPECT_EQ(out.columnWidths, in.columnWidths);
    EXPECT_EQ(out.gridWidth, 980);
}
