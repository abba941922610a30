#pragma once

#include "platform/Bitmap.h"
#include "platform/Geometry.h"

#include <cstddef>
#include <cstdint>

namespace frames
{

// A read-only view of 24-bit pixels (blue, green, red bytes, three per pixel).
// `top` is the first byte of the row displayed at the top; `rowStride` is the
// distance in bytes from one displayed row to the next, negative for bitmaps
// stored bottom-up. Padding at the end of a row is never read.
struct PixelGrid {
    const std::uint8_t* top = nullptr;
    std::ptrdiff_t rowStride = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
};

// The pixels of a 24-bit bitmap. Any other depth, or an empty bitmap, gives a
// grid of width 0 and height 0.
PixelGrid GridOf(const platform::Bitmap& bitmap);

// The window shape of a frame picture: every pixel whose colour differs from
// the key colour, the colour of pixel (0, 0). Each maximal horizontal run of
// such pixels in a row becomes one rectangle one pixel high; rectangles come
// row by row from the top, within a row from the left. Colours are compared
// exactly, with no tolerance.
platform::Region ScanRuns(const PixelGrid& grid);

} // namespace frames
