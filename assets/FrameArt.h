#pragma once

#include "platform/Bitmap.h"

#include <cstdint>

namespace assets
{

// How far the blue band reaches in from each edge of a frame picture, in
// pixels.
struct BandWidths {
    std::int32_t top = 0;
    std::int32_t bottom = 0;
    std::int32_t left = 0;
    std::int32_t right = 0;
};

// The picture of one frame window: a 24-bit top-down bitmap of exactly
// width x height. A blue band runs along the edges, lightest at the outer
// edge and darkening inwards, with a soft grey shade where it meets the
// inside and light diagonal shading at the corners. The inside, and pixel
// (0, 0), are pure white, the colour cut out of the window shape; no other
// pixel is.
platform::Bitmap MakeFrameArt(std::int32_t width, std::int32_t height, BandWidths band);

} // namespace assets
