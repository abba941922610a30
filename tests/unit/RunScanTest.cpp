#include "frames/RunScan.h"

#include "platform/Bitmap.h"
#include "platform/Geometry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace
{

using platform::Bitmap;
using platform::Colour;
using platform::Rect;
using platform::Region;
using platform::Rgb;

constexpr Colour kWhite = Rgb(255, 255, 255);
constexpr Colour kBlue = Rgb(140, 157, 196);

// A picture drawn with letters: 'K' is the key colour, anything else is `other`.
Bitmap Picture(const std::vector<std::string>& rows, Colour key, Colour other,
               Bitmap::RowOrder order = Bitmap::RowOrder::TopDown)
{
    const auto width = std::int32_t(rows.empty() ? 0 : rows[0].size());
    Bitmap bitmap(width, std::int32_t(rows.size()), 24, order);
    for (std::int32_t y = 0; y < bitmap.Height(); ++y) {
        for (std::int32_t x = 0; x < width; ++x) {
            bitmap.SetPixel(x, y, rows[std::size_t(y)][std::size_t(x)] == 'K' ? key : other);
        }
    }
    return bitmap;
}

Bitmap Filled(std::int32_t width, std::int32_t height, Colour c,
              Bitmap::RowOrder order = Bitmap::RowOrder::TopDown)
{
    Bitmap bitmap(width, height, 24, order);
    for (std::int32_t y = 0; y < height; ++y) {
        for (std::int32_t x = 0; x < width; ++x) {
            bitmap.SetPixel(x, y, c);
        }
    }
    return bitmap;
}

// The scan as plainly as it can be written, to check the real one against.
Region ReferenceScan(const Bitmap& bitmap)
{
    Region region;
    if (bitmap.IsEmpty()) {
        return region;
    }
    const Colour key = bitmap.PixelAt(0, 0);
    for (std::int32_t y = 0; y < bitmap.Height(); ++y) {
        std::int32_t start = -1;
        for (std::int32_t x = 0; x <= bitmap.Width(); ++x) {
            const bool closing = x == bitmap.Width() || bitmap.PixelAt(x, y) == key;
            if (closing && start >= 0) {
                region.push_back({start, y, x, y + 1});
                start = -1;
            } else if (!closing && start < 0) {
                start = x;
            }
        }
    }
    return region;
}

Region Scan(const Bitmap& bitmap)
{
    return frames::ScanRuns(frames::GridOf(bitmap));
}

std::int64_t Area(const Region& region)
{
    std::int64_t area = 0;
    for (const Rect& r : region) {
        area += std::int64_t(r.right - r.left) * (r.bottom - r.top);
    }
    return area;
}

TEST(RunScan, WorkedExampleGivesOneRectanglePerRun)
{
    const Bitmap picture = Picture({"KAAK", "AKAA", "KKKK"}, kWhite, kBlue);
    const Region region = Scan(picture);
    const Region expected = {{1, 0, 3, 1}, {0, 1, 1, 2}, {2, 1, 4, 2}};
    EXPECT_EQ(region, expected);
    EXPECT_EQ(Area(region), 5);
}

TEST(RunScan, BandedFrameGivesRowsThenSidePairsInOrder)
{
    constexpr std::int32_t width = 640, height = 480;
    constexpr std::int32_t top = 10, bottom = 11, side = 10;
    Bitmap picture = Filled(width, height, kBlue);
    for (std::int32_t y = top; y < height - bottom; ++y) {
        for (std::int32_t x = side; x < width - side; ++x) {
            picture.SetPixel(x, y, kWhite);
        }
    }
    picture.SetPixel(0, 0, kWhite);

    Region expected;
    for (std::int32_t y = 0; y < top; ++y) {
        expected.push_back({y == 0 ? 1 : 0, y, width, y + 1});
    }
    for (std::int32_t y = top; y < height - bottom; ++y) {
        expected.push_back({0, y, side, y + 1});
        expected.push_back({width - side, y, width, y + 1});
    }
    for (std::int32_t y = height - bottom; y < height; ++y) {
        expected.push_back({0, y, width, y + 1});
    }

    const Region region = Scan(picture);
    ASSERT_EQ(region.size(), 939u);
    EXPECT_EQ(region, expected);
}

TEST(RunScan, PicturesWithoutShapeGiveNoRectangles)
{
    const std::uint8_t pixel[3] = {1, 2, 3};
    const struct {
        const char* what;
        frames::PixelGrid grid;
    } cases[] = {
        // With nothing to scan the key pixel must not be read at all.
        {"no columns", {nullptr, 12, 0, 5}},
        {"no rows", {nullptr, 12, 4, 0}},
        {"negative size", {nullptr, 12, -3, -1}},
        {"single key pixel", {pixel, 4, 1, 1}},
    };
    for (const auto& c : cases) {
        EXPECT_TRUE(frames::ScanRuns(c.grid).empty()) << c.what;
    }
    EXPECT_TRUE(Scan(Filled(37, 6, kBlue)).empty());
    EXPECT_TRUE(Scan(Filled(37, 6, kWhite, Bitmap::RowOrder::BottomUp)).empty());
}

TEST(RunScan, GridOfTakesOnly24BitPictures)
{
    const Bitmap deep(5, 4, 32);
    const Bitmap empty;
    const Bitmap noRows(5, 0);
    for (const Bitmap* b : {&deep, &empty, &noRows}) {
        const frames::PixelGrid grid = frames::GridOf(*b);
        EXPECT_EQ(grid.width, 0);
        EXPECT_EQ(grid.height, 0);
        EXPECT_TRUE(frames::ScanRuns(grid).empty());
    }

    const Bitmap down(5, 4, 24, Bitmap::RowOrder::TopDown);
    const Bitmap up(5, 4, 24, Bitmap::RowOrder::BottomUp);
    const frames::PixelGrid downGrid = frames::GridOf(down);
    const frames::PixelGrid upGrid = frames::GridOf(up);
    EXPECT_EQ(downGrid.top, down.DisplayRow(0));
    EXPECT_EQ(downGrid.rowStride, down.BytesPerRow());
    EXPECT_EQ(upGrid.top, up.DisplayRow(0));
    EXPECT_EQ(upGrid.rowStride, -up.BytesPerRow());
    EXPECT_EQ(upGrid.width, 5);
    EXPECT_EQ(upGrid.height, 4);
}

TEST(RunScan, OnlyTopLeftKeyedCoversEverythingElse)
{
    // The key is whatever (0, 0) holds, white or not.
    for (const std::int32_t width : {1, 2, 17, 64}) {
        Bitmap picture = Filled(width, 3, kWhite);
        picture.SetPixel(0, 0, kBlue);
        Region expected;
        if (width > 1) {
            expected.push_back({1, 0, width, 1});
        }
        expected.push_back({0, 1, width, 2});
        expected.push_back({0, 2, width, 3});
        EXPECT_EQ(Scan(picture), expected) << "width " << width;
    }
}

TEST(RunScan, SingleShapePixelGivesOnePixelRectangle)
{
    constexpr std::int32_t width = 37, height = 4;
    const struct {
        std::int32_t x, y;
    } positions[] = {{1, 0},  {0, 1},  {7, 1},  {8, 2},  {15, 3},
                     {16, 0}, {31, 2}, {35, 3}, {36, 0}, {36, 3}};
    for (const auto& p : positions) {
        Bitmap picture = Filled(width, height, kWhite);
        picture.SetPixel(p.x, p.y, kBlue);
        const Region expected = {{p.x, p.y, p.x + 1, p.y + 1}};
        EXPECT_EQ(Scan(picture), expected) << "pixel " << p.x << "," << p.y;
    }
}

TEST(RunScan, ColourOneBitAwayFromKeyBelongsToShape)
{
    const Colour nearKeys[] = {Rgb(255, 255, 254), Rgb(255, 254, 255), Rgb(254, 255, 255),
                               Rgb(127, 255, 255)};
    for (const Colour nearKey : nearKeys) {
        for (const std::int32_t x : {3, 20, 39}) {
            Bitmap picture = Filled(40, 2, kWhite);
            picture.SetPixel(x, 1, nearKey);
            const Region expected = {{x, 1, x + 1, 2}};
            EXPECT_EQ(Scan(picture), expected) << std::hex << nearKey << " at " << std::dec << x;
        }
    }
}

// A deterministic mix of key and non-key pixels, the non-key ones often close
// relatives of the key: one byte off, or the key's bytes in another order.
// One pixel in `spread` on average is not the key.
Bitmap Speckled(std::int32_t width, std::int32_t height, Bitmap::RowOrder order, std::uint32_t seed,
                std::uint32_t spread = 3)
{
    const Colour key = Rgb(10, 20, 30);
    const Colour others[] = {Rgb(30, 10, 20), Rgb(20, 30, 10), Rgb(10, 20, 31),
                             Rgb(11, 20, 30), Rgb(10, 21, 30), kWhite};
    Bitmap picture(width, height, 24, order);
    std::uint32_t state = seed;
    for (std::int32_t y = 0; y < height; ++y) {
        for (std::int32_t x = 0; x < width; ++x) {
            state = state * 1664525u + 1013904223u;
            const std::uint32_t pick = (state >> 8) % (6 * spread);
            picture.SetPixel(x, y, pick < 6 ? others[pick] : key);
        }
    }
    picture.SetPixel(0, 0, key);
    return picture;
}

TEST(RunScan, RowOrderAndRowPaddingDoNotChangeTheShape)
{
    for (std::int32_t width = 1; width <= 41; ++width) {
        const Bitmap down = Speckled(width, 5, Bitmap::RowOrder::TopDown, 7u);
        Bitmap up = Speckled(width, 5, Bitmap::RowOrder::BottomUp, 7u);
        // Padding that would read as shape if it were taken for pixels.
        const std::int32_t used = width * 3;
        for (std::int32_t y = 0; y < up.Height(); ++y) {
            for (std::int32_t i = used; i < up.BytesPerRow(); ++i) {
                up.DisplayRow(y)[i] = 0x5A;
            }
        }
        const Region expected = ReferenceScan(down);
        EXPECT_EQ(Scan(down), expected) << "width " << width;
        EXPECT_EQ(Scan(up), expected) << "width " << width;
    }
}

TEST(RunScan, GridWithWideStrideReadsOnlyThePixels)
{
    // Rows of three pixels, 16 bytes apart; the gaps hold bytes that are not
    // the key, and the grid is walked upwards through the buffer.
    constexpr std::int32_t width = 3, height = 4;
    constexpr std::ptrdiff_t stride = 16;
    std::vector<std::uint8_t> bytes(stride * height, 0x00);
    const std::vector<std::string> rows = {"KAK", "KKK", "AKA", "KKA"};
    for (std::int32_t y = 0; y < height; ++y) {
        std::uint8_t* row = bytes.data() + (height - 1 - y) * stride;
        for (std::int32_t x = 0; x < width; ++x) {
            const std::uint8_t v = rows[std::size_t(y)][std::size_t(x)] == 'K' ? 0xFF : 0x80;
            row[x * 3] = row[x * 3 + 1] = row[x * 3 + 2] = v;
        }
    }
    const frames::PixelGrid grid{bytes.data() + (height - 1) * stride, -stride, width, height};
    const Region expected = {{1, 0, 2, 1}, {0, 2, 1, 3}, {2, 2, 3, 3}, {2, 3, 3, 4}};
    EXPECT_EQ(frames::ScanRuns(grid), expected);
}

TEST(RunScan, RunBoundariesAtEveryOffsetAreExact)
{
    // Run starts and lengths that put the edges of a run at each pixel of the
    // blocks the scan skips key colour in, and across block joins.
    constexpr std::int32_t width = 80;
    for (std::int32_t start = 1; start < 34; ++start) {
        for (const std::int32_t length : {1, 2, 3, 5, 7, 8, 9, 15, 16, 17, 24, 25}) {
            for (const Colour other : {kBlue, Rgb(255, 255, 254), Rgb(254, 255, 255)}) {
                Bitmap picture = Filled(width, 2, kWhite);
                for (std::int32_t x = start; x < start + length && x < width; ++x) {
                    picture.SetPixel(x, 1, other);
                }
                // A second run at the far end, up to the last column.
                const std::int32_t tail = width - 1 - (start % 9);
                for (std::int32_t x = tail; x < width; ++x) {
                    picture.SetPixel(x, 1, other);
                }
                ASSERT_EQ(Scan(picture), ReferenceScan(picture))
                    << "start " << start << " length " << length;
            }
        }
    }
}

TEST(RunScan, LongStretchesEndExactlyAtEveryPosition)
{
    // One run in a long key-coloured row, and one key pixel in a long row of
    // shape, at every position: the long stretches are searched differently
    // from the short ones.
    constexpr std::int32_t width = 700;
    for (std::int32_t at = 1; at < width; ++at) {
        Bitmap keyRow = Filled(width, 1, kWhite);
        for (std::int32_t x = at; x < std::min(at + 3, width); ++x) {
            keyRow.SetPixel(x, 0, Rgb(255, 255, 254));
        }
        const Region oneRun = {{at, 0, std::min(at + 3, width), 1}};
        ASSERT_EQ(Scan(keyRow), oneRun) << "run at " << at;

        Bitmap shapeRow = Filled(width, 2, kBlue);
        shapeRow.SetPixel(0, 0, kWhite);
        shapeRow.SetPixel(at, 1, kWhite);
        Region twoRuns = {{1, 0, width, 1}, {0, 1, at, 2}};
        if (at + 1 < width) {
            twoRuns.push_back({at + 1, 1, width, 2});
        }
        ASSERT_EQ(Scan(shapeRow), twoRuns) << "key pixel at " << at;
    }
}

TEST(RunScan, RowsLikeTheOneAboveButNotQuiteAreScannedAfresh)
{
    // Rows repeating the row above, then rows changed from it in one byte.
    constexpr std::int32_t width = 90;
    const struct {
        std::int32_t x;
        std::int32_t byte;
    } changes[] = {{1, 0}, {0, 2}, {13, 1}, {44, 0}, {45, 2}, {88, 1}, {89, 0}, {89, 2}};
    for (const auto& change : changes) {
        Bitmap picture = Speckled(width, 6, Bitmap::RowOrder::BottomUp, 5u, 4);
        for (std::int32_t y = 1; y < picture.Height(); ++y) {
            std::memcpy(picture.DisplayRow(y), picture.DisplayRow(0), std::size_t(width) * 3);
        }
        picture.DisplayRow(3)[change.x * 3 + change.byte] ^= 0x01;
        picture.DisplayRow(5)[change.x * 3 + change.byte] ^= 0x80;
        EXPECT_EQ(Scan(picture), ReferenceScan(picture)) << change.x << "/" << change.byte;
    }
}

TEST(RunScan, SpeckledPicturesMatchThePlainScan)
{
    const struct {
        std::int32_t width, height;
    } sizes[] = {{1, 9}, {7, 7}, {8, 3}, {16, 4}, {23, 5}, {48, 6}, {100, 20}, {257, 3}};
    for (const auto& s : sizes) {
        for (const std::uint32_t spread : {2u, 30u}) {
            for (const std::uint32_t seed : {1u, 99u, 12345u}) {
                const Bitmap picture =
                    Speckled(s.width, s.height, Bitmap::RowOrder::TopDown, seed, spread);
                EXPECT_EQ(Scan(picture), ReferenceScan(picture))
                    << s.width << "x" << s.height << " seed " << seed << " spread " << spread;
            }
        }
    }
}

} // namespace
