// The window shape as Windows gets it: rows joined before the one
// ExtCreateRegion call, the union unchanged.

#include "platform/win32/ShapeRegion.h"

#include "assets/FrameArt.h"
#include "frames/FrameCatalogue.h"
#include "frames/RunScan.h"
#include "tests/win32/FramePrinter.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace
{

using platform::Rect;
using platform::Region;
using platform::win32::JoinEqualRows;
using platform::win32::MakeRegion;

// A region with the same union, made the slow way: one rectangle at a time.
HRGN UnionOneByOne(const Region& rects)
{
    HRGN all = CreateRectRgn(0, 0, 0, 0);
    for (const Rect& r : rects) {
        HRGN one = CreateRectRgn(r.left, r.top, r.right, r.bottom);
        CombineRgn(all, all, one, RGN_OR);
        DeleteObject(one);
    }
    return all;
}

struct JoinCase {
    const char* name;
    Region in;
    Region out;
    friend void PrintTo(const JoinCase& c, std::ostream* out) { *out << c.name; }
};

class JoinEqualRowsTest : public ::testing::TestWithParam<JoinCase>
{
};

TEST_P(JoinEqualRowsTest, JoinsTouchingRowsWithTheSameRunsOnly)
{
    const JoinCase& c = GetParam();
    EXPECT_EQ(JoinEqualRows(c.in), c.out);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, JoinEqualRowsTest,
    ::testing::Values(
        JoinCase{"Empty", {}, {}},
        JoinCase{"OneRow", {{0, 0, 5, 1}, {7, 0, 9, 1}}, {{0, 0, 5, 1}, {7, 0, 9, 1}}},
        // A band's top: full rows, one above the other.
        JoinCase{"SameRunsTouching", {{0, 0, 8, 1}, {0, 1, 8, 2}, {0, 2, 8, 3}}, {{0, 0, 8, 3}}},
        // The sides of a band: two runs a row, the same in every row.
        JoinCase{"TwoRunsTouching",
                 {{0, 3, 2, 4}, {6, 3, 8, 4}, {0, 4, 2, 5}, {6, 4, 8, 5}},
                 {{0, 3, 2, 5}, {6, 3, 8, 5}}},
        JoinCase{"SameRunsWithAGap", {{0, 0, 8, 1}, {0, 2, 8, 3}}, {{0, 0, 8, 1}, {0, 2, 8, 3}}},
        JoinCase{"OtherRight", {{0, 0, 8, 1}, {0, 1, 7, 2}}, {{0, 0, 8, 1}, {0, 1, 7, 2}}},
        JoinCase{"OtherNumberOfRuns",
                 {{0, 0, 8, 1}, {0, 1, 2, 2}, {6, 1, 8, 2}},
                 {{0, 0, 8, 1}, {0, 1, 2, 2}, {6, 1, 8, 2}}},
        // Only neighbours join: a row like one further up stays apart.
        JoinCase{
            "ABBA",
            {{0, 0, 8, 1}, {0, 1, 2, 2}, {6, 1, 8, 2}, {0, 2, 2, 3}, {6, 2, 8, 3}, {0, 3, 8, 4}},
            {{0, 0, 8, 1}, {0, 1, 2, 3}, {6, 1, 8, 3}, {0, 3, 8, 4}}},
        // Rows of different heights join as well.
        JoinCase{"TallRows", {{1, 0, 4, 2}, {1, 2, 4, 5}}, {{1, 0, 4, 5}}}),
    [](const ::testing::TestParamInfo<JoinCase>& p) { return std::string(p.param.name); });

class FrameShapeRegion : public ::testing::TestWithParam<frames::FrameCatalogueRow>
{
};

TEST_P(FrameShapeRegion, JoinedBandIsAHandfulOfRectanglesWithTheSameUnion)
{
    const frames::FrameCatalogueRow& row = GetParam();
    const platform::Bitmap art = assets::MakeFrameArt(row.width, row.height, row.band);
    const Region scanned = frames::ScanRuns(frames::GridOf(art));
    const Region joined = JoinEqualRows(scanned);

    // Row 0 (without the key pixel), the rest of the top band, the two sides
    // (corner rows differ from the sides only by the shade) and the bottom:
    // never more than the band's distinct rows, far fewer than the scan's.
    EXPECT_LT(joined.size(), scanned.size() / 10);

    HRGN fast = MakeRegion(joined, 0, 0);
    HRGN slow = UnionOneByOne(scanned);
    ASSERT_NE(fast, nullptr);
    EXPECT_TRUE(EqualRgn(fast, slow));
    RECT box{};
    EXPECT_EQ(GetRgnBox(fast, &box), COMPLEXREGION);
    EXPECT_EQ(box.right - box.left, row.width);
    EXPECT_EQ(box.bottom - box.top, row.height);
    // The key pixel and the inside are out; the band is in.
    EXPECT_FALSE(PtInRegion(fast, 0, 0));
    EXPECT_FALSE(PtInRegion(fast, row.width / 2, row.height / 2));
    EXPECT_TRUE(PtInRegion(fast, 1, 0));
    EXPECT_TRUE(PtInRegion(fast, row.width / 2, row.band.top - 1));
    EXPECT_FALSE(PtInRegion(fast, row.width / 2, row.band.top));
    DeleteObject(fast);
    DeleteObject(slow);
}

INSTANTIATE_TEST_SUITE_P(SixFrames, FrameShapeRegion, ::testing::ValuesIn(frames::FrameCatalogue),
                         [](const ::testing::TestParamInfo<frames::FrameCatalogueRow>& p) {
                             return std::string(p.param.window);
                         });

TEST(MakeRegion, MovesEveryRectangleByTheOffset)
{
    HRGN region = MakeRegion({{0, 0, 4, 1}, {0, 1, 1, 3}}, 8, 30);
    ASSERT_NE(region, nullptr);
    RECT box{};
    GetRgnBox(region, &box);
    EXPECT_EQ(box.left, 8);
    EXPECT_EQ(box.top, 30);
    EXPECT_EQ(box.right, 12);
    EXPECT_EQ(box.bottom, 33);
    EXPECT_TRUE(PtInRegion(region, 8, 32));
    EXPECT_FALSE(PtInRegion(region, 9, 32));
    DeleteObject(region);
}

} // namespace
