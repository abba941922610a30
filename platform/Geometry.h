#pragma once

#include <cstdint>
#include <vector>

namespace platform
{

// A rectangle in pixels; right and bottom are exclusive, as in the window
// system's rectangular regions.
struct Rect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;

    friend bool operator==(const Rect&, const Rect&) = default;
};

// A window shape: the union of its rectangles, in the window's own pixel
// coordinates. The rectangles are kept in the order they were made: rows top to
// bottom, within a row left to right, none overlapping. Both backends take that
// order as it is (Qt's QRegion::setRects, Win32's ExtCreateRegion).
using Region = std::vector<Rect>;

// A 24-bit colour in the layout 0x00BBGGRR.
using Colour = std::uint32_t;

constexpr Colour Rgb(std::uint8_t r, std::uint8_t g, std::uint8_t b)
{
    return Colour(r) | (Colour(g) << 8) | (Colour(b) << 16);
}
constexpr std::uint8_t RedOf(Colour c)
{
    return std::uint8_t(c & 0xFF);
}
constexpr std::uint8_t GreenOf(Colour c)
{
    return std::uint8_t((c >> 8) & 0xFF);
}
constexpr std::uint8_t BlueOf(Colour c)
{
    return std::uint8_t((c >> 16) & 0xFF);
}

} // namespace platform
