#pragma once

#include "assets/FrameArt.h"
#include "platform/Types.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace frames
{

// What distinguishes the six frame windows from one another.
struct FrameCatalogueRow {
    std::string_view window;
    std::int32_t width;
    std::int32_t height;
    std::string_view caption;
    // The caption's box, in pixels from the picture's top-left corner.
    platform::PixelRect label;
    // Where the white inside begins, from each edge.
    assets::BandWidths band;
    // The first two were laid out with a border on their picture; the load
    // removes it in every case.
    bool pictureBorder;
};

inline constexpr std::array<FrameCatalogueRow, 6> FrameCatalogue{{
    {"Form1", 640, 480, "640 x 480", {8, -2, 65, 15}, {10, 11, 10, 10}, true},
    {"Form2", 800, 600, "800 x 600", {10, 0, 97, 17}, {13, 14, 13, 13}, true},
    {"Form3", 1024, 768, "1024 x 768", {16, 0, 105, 17}, {17, 19, 17, 17}, false},
    {"Form4", 1152, 864, "1152 x 864", {16, 2, 105, 17}, {20, 21, 20, 20}, false},
    {"Form5", 1280, 1024, "1280 x 1024", {16, 3, 113, 25}, {23, 25, 22, 22}, false},
    {"Form6", 1600, 1200, "1600 x 1200", {24, 4, 105, 25}, {28, 29, 27, 27}, false},
}};

} // namespace frames
