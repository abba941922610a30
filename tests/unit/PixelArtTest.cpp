#include "assets/Cursors.h"
#include "assets/WindowIcon.h"

#include "platform/Bitmap.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace
{

struct ArtCase {
    const char* name;
    const assets::PixelArt& (*art)();
    std::int32_t width, height;
    std::string_view letters;
    bool cursor;
};

const ArtCase kArts[] = {
    {"open hand", &assets::OpenHandCursor, 32, 32, ".KW", true},
    {"pointing hand", &assets::PointingHandCursor, 32, 32, ".KW", true},
    {"window icon", &assets::WindowIcon, 16, 16, ".KWLDC", false},
};

char LetterAt(const assets::PixelArt& art, std::int32_t x, std::int32_t y)
{
    return art.rows[std::size_t(y)][std::size_t(x)];
}

TEST(PixelArt, EachArtIsAFullGridOfKnownLetters)
{
    for (const ArtCase& c : kArts) {
        const assets::PixelArt& art = c.art();
        EXPECT_EQ(art.width, c.width) << c.name;
        EXPECT_EQ(art.height, c.height) << c.name;
        ASSERT_EQ(art.rows.size(), std::size_t(c.height)) << c.name;
        for (std::size_t y = 0; y < art.rows.size(); ++y) {
            ASSERT_EQ(art.rows[y].size(), std::size_t(c.width)) << c.name << " row " << y;
            for (const char letter : art.rows[y]) {
                EXPECT_NE(c.letters.find(letter), std::string_view::npos)
                    << c.name << " row " << y << " has '" << letter << "'";
            }
        }
    }
}

TEST(PixelArt, CursorHotSpotIsOnTheDrawing)
{
    for (const ArtCase& c : kArts) {
        if (!c.cursor) {
            continue;
        }
        const assets::PixelArt& art = c.art();
        EXPECT_EQ(art.hotX, 5) << c.name;
        EXPECT_EQ(art.hotY, 0) << c.name;
        EXPECT_NE(LetterAt(art, art.hotX, art.hotY), '.') << c.name;
    }
}

TEST(PixelArt, PointingHandSitsInTheUpperLeft)
{
    const assets::PixelArt& art = assets::PointingHandCursor();
    std::int32_t right = -1, bottom = -1, left = art.width, top = art.height;
    for (std::int32_t y = 0; y < art.height; ++y) {
        for (std::int32_t x = 0; x < art.width; ++x) {
            if (LetterAt(art, x, y) != '.') {
                left = std::min(left, x);
                top = std::min(top, y);
                right = std::max(right, x);
                bottom = std::max(bottom, y);
            }
        }
    }
    EXPECT_EQ(left, 0);
    EXPECT_EQ(top, 0);
    EXPECT_NEAR(right + 1, 17, 2);
    EXPECT_NEAR(bottom + 1, 22, 2);
    // The fingertip is the only drawing on the top row.
    EXPECT_EQ(art.rows[0].find_first_not_of('.'), 5u);
    EXPECT_LE(art.rows[0].find_last_not_of('.'), 7u);
}

TEST(PixelArt, BitmapAlphaFollowsTransparency)
{
    for (const ArtCase& c : kArts) {
        const assets::PixelArt& art = c.art();
        const platform::Bitmap bitmap = assets::ToBitmap(art);
        ASSERT_EQ(bitmap.Width(), c.width) << c.name;
        ASSERT_EQ(bitmap.Height(), c.height) << c.name;
        ASSERT_EQ(bitmap.BitsPerPixel(), 32) << c.name;
        ASSERT_EQ(bitmap.Order(), platform::Bitmap::RowOrder::TopDown) << c.name;
        for (std::int32_t y = 0; y < c.height; ++y) {
            for (std::int32_t x = 0; x < c.width; ++x) {
                const std::uint8_t alpha = bitmap.DisplayRow(y)[x * 4 + 3];
                EXPECT_EQ(alpha, LetterAt(art, x, y) == '.' ? 0 : 255)
                    << c.name << " at " << x << "," << y;
            }
        }
    }
}

TEST(PixelArt, IconPixelsDecodeToTheirColours)
{
    const platform::Bitmap icon = assets::ToBitmap(assets::WindowIcon());
    const struct {
        std::int32_t x, y;
        std::uint8_t b, g, r, a;
    } pixels[] = {
        {0, 0, 0, 0, 0, 0},         // transparent
        {1, 2, 0, 0, 0, 255},       // black outline
        {1, 3, 192, 192, 192, 255}, // light grey
        {4, 6, 128, 128, 128, 255}, // dark grey
        {3, 5, 255, 255, 0, 255},   // cyan
        {4, 5, 255, 255, 255, 255}, // white
        {15, 3, 0, 0, 0, 0},        // transparent right column
        {14, 13, 0, 0, 0, 255},     // black outline
    };
    for (const auto& p : pixels) {
        const std::uint8_t* q = icon.DisplayRow(p.y) + p.x * 4;
        EXPECT_EQ(q[0], p.b) << p.x << "," << p.y;
        EXPECT_EQ(q[1], p.g) << p.x << "," << p.y;
        EXPECT_EQ(q[2], p.r) << p.x << "," << p.y;
        EXPECT_EQ(q[3], p.a) << p.x << "," << p.y;
    }
}

TEST(PixelArt, ShortRowsAndUnknownLettersComeOutTransparent)
{
    const assets::PixelArt art{3, 2, 0, 0, {"KW", "?CK"}};
    const platform::Bitmap bitmap = assets::ToBitmap(art);
    EXPECT_EQ(bitmap.DisplayRow(0)[3], 255);
    EXPECT_EQ(bitmap.DisplayRow(0)[7], 255);
    EXPECT_EQ(bitmap.DisplayRow(0)[11], 0);
    EXPECT_EQ(bitmap.DisplayRow(1)[3], 0);
    EXPECT_EQ(bitmap.DisplayRow(1)[7], 255);
}

} // namespace
