#pragma once

#include "platform/win32/Win32.h"

namespace platform::win32
{

// The rectangles of a window shape with equal neighbouring rows joined: where
// a row of rectangles has exactly the runs of the row above it and touches
// it, the two become one taller row. The union stays the same, and so does
// the order (rows top to bottom, within a row left to right). A frame's band
// comes from the run scan as hundreds of one-pixel rows; joined, it is a
// handful of rectangles, which the region is built from at once.
Region JoinEqualRows(const Region& region);

// A region of the rectangles, moved by (dx, dy), made in one ExtCreateRegion
// call; null when the system refuses. The caller owns it until it hands it
// to SetWindowRgn.
HRGN MakeRegion(const Region& rects, int dx, int dy);

} // namespace platform::win32
