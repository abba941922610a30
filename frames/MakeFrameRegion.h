#pragma once

#include "platform/Geometry.h"

#include <optional>

namespace platform
{
class PictureBox;
}

namespace frames
{

// The shape of a window cut from a picture: every pixel of the colour of its
// top-left pixel is left out, every other pixel is in. Reads the picture's
// surface and inner size in pixels; no region (nullopt) when no pixel is in.
// The caller owns the result.
std::optional<platform::Region> MakeFrameRegion(const platform::PictureBox& picture);

} // namespace frames
