// SPDX-License-Identifier: MIT
#pragma once

class QWidget;

namespace Gui {

// The windows place most controls by coordinates, as their layouts give
// them, and Qt mirrors only what a layout manager places. For a right-to-left
// language the placed children of a container are mirrored here: each one at
// the same distance from the right edge as the layout gives from the left.
//
// The code that places controls keeps working in left-to-right coordinates:
// UnmirrorPlacedChildren puts back what it set, MirrorPlacedChildren mirrors
// it again for the container's current width. A child the code moved since
// the last mirroring counts with its new place. Both do nothing for a
// container that runs left to right and was never mirrored.
void MirrorPlacedChildren(QWidget* container);
void UnmirrorPlacedChildren(QWidget* container);

} // namespace Gui
