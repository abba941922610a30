#include "assets/Cursors.h"

#include <algorithm>
#include <cstddef>
#include <iterator>

namespace assets
{

namespace
{

struct Ink {
    std::uint8_t r, g, b, a;
};

Ink InkOf(char letter)
{
    switch (letter) {
    case 'K':
        return {0, 0, 0, 255};
    case 'W':
        return {255, 255, 255, 255};
    case 'L':
        return {192, 192, 192, 255};
    case 'D':
        return {128, 128, 128, 255};
    case 'C':
        return {0, 255, 255, 255};
    default:
        return {0, 0, 0, 0};
    }
}

} // namespace

platform::Bitmap ToBitmap(const PixelArt& art)
{
    platform::Bitmap bitmap(art.width, art.height, 32, platform::Bitmap::RowOrder::TopDown);
    if (bitmap.IsEmpty()) {
        return bitmap;
    }
    const std::int32_t rows = std::min(art.height, std::int32_t(art.rows.size()));
    for (std::int32_t y = 0; y < rows; ++y) {
        const std::string_view line = art.rows[std::size_t(y)];
        const std::int32_t columns = std::min(art.width, std::int32_t(line.size()));
        std::uint8_t* p = bitmap.DisplayRow(y);
        for (std::int32_t x = 0; x < columns; ++x, p += 4) {
            const Ink ink = InkOf(line[std::size_t(x)]);
            p[0] = ink.b;
            p[1] = ink.g;
            p[2] = ink.r;
            p[3] = ink.a;
        }
    }
    return bitmap;
}

// clang-format off
constexpr std::string_view kOpenHand[] = {
    ".....KK.........................",
    "....KWWK..KK....................",
    "....KWWK.KWWK...................",
    "....KWWK.KWWK..KK...............",
    "....KWWK.KWWK.KWWK..............",
    "....KWWK.KWWK.KWWK..KK..........",
    "....KWWK.KWWK.KWWK.KWWK.........",
    "....KWWK.KWWK.KWWK.KWWK.........",
    "....KWWK.KWWK.KWWK.KWWK.........",
    "....KWWK.KWWK.KWWK.KWWK.........",
    "....KWWK.KWWK.KWWK.KWWK.........",
    "....KWWWKWWWWKWWWWKWWWK.........",
    ".KK.KWWWWWWWWWWWWWWWWWK.........",
    "KWWKKWWWWWWWWWWWWWWWWWK.........",
    "KWWWKWWWWWWWWWWWWWWWWWK.........",
    ".KWWWKWWWWWWWWWWWWWWWWK.........",
    ".KWWWWWWWWWWWWWWWWWWWWK.........",
    "..KWWWWWWWWWWWWWWWWWWWK.........",
    "..KWWWWWWWWWWWWWWWWWWWK.........",
    "...KWWWWWWWWWWWWWWWWWK..........",
    "....KWWWWWWWWWWWWWWWWK..........",
    ".....KWWWWWWWWWWWWWWK...........",
    "......KWWWWWWWWWWWWK............",
    "......KWWWWWWWWWWWWK............",
    "......KKKKKKKKKKKKKK............",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
};
// clang-format on

std::shared_ptr<const platform::CursorImage> CursorOf(const PixelArt& art)
{
    return std::make_shared<const platform::CursorImage>(
        platform::CursorImage{ToBitmap(art), art.hotX, art.hotY});
}

const PixelArt& OpenHandCursor()
{
    static const PixelArt art{32, 32, 5, 0, {std::begin(kOpenHand), std::end(kOpenHand)}};
    return art;
}

// clang-format off
constexpr std::string_view kPointingHand[] = {
    ".....KK.........................",
    "....KWWK........................",
    "....KWWK........................",
    "....KWWK........................",
    "....KWWK........................",
    "....KWWKKK......................",
    "....KWWKWWKKK...................",
    "....KWWKWWKWWKK.................",
    ".KK.KWWKWWKWWKWK................",
    "KWWKKWWWWWWWWKWWK...............",
    "KWWWKWWWWWWWWWWWK...............",
    ".KWWKWWWWWWWWWWWK...............",
    ".KWWWWWWWWWWWWWWK...............",
    "..KWWWWWWWWWWWWWK...............",
    "..KWWWWWWWWWWWWWK...............",
    "...KWWWWWWWWWWWWK...............",
    "...KWWWWWWWWWWWK................",
    "....KWWWWWWWWWWK................",
    "....KWWWWWWWWWK.................",
    ".....KWWWWWWWWK.................",
    ".....KWWWWWWWWK.................",
    ".....KKKKKKKKKK.................",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
};
// clang-format on

const PixelArt& PointingHandCursor()
{
    static const PixelArt art{32, 32, 5, 0, {std::begin(kPointingHand), std::end(kPointingHand)}};
    return art;
}

} // namespace assets
