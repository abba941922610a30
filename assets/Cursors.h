#pragma once

#include "platform/Bitmap.h"
#include "platform/Types.h"

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

namespace assets
{

// Small pictures kept as text in the source: one string per row, one letter
// per pixel. '.' is transparent, 'K' black, 'W' white, 'L' light grey, 'D' dark
// grey and 'C' cyan. For a cursor, (hotX, hotY) is the pixel that points.
struct PixelArt {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t hotX = 0;
    std::int32_t hotY = 0;
    std::vector<std::string_view> rows;
};

// A 32-bit top-down bitmap of the art, bytes blue, green, red, alpha: alpha 0
// for transparent pixels (colour bytes 0 too), 255 for all others. Letters the
// art does not know, and pixels beyond a short row, come out transparent.
platform::Bitmap ToBitmap(const PixelArt& art);

// 32 x 32: an open hand, fingers up, for dragging a frame about.
// The pointer made from pixel art, with its hot spot; made once, shared by
// every control that shows it.
std::shared_ptr<const platform::CursorImage> CursorOf(const PixelArt& art);

const PixelArt& OpenHandCursor();

// 32 x 32: a hand pointing up with the index finger, hot spot at the tip.
const PixelArt& PointingHandCursor();

} // namespace assets
