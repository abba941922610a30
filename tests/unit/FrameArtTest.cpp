#include "assets/FrameArt.h"

#include "frames/RunScan.h"
#include "platform/Bitmap.h"
#include "platform/Geometry.h"

#include <gtest/gtest.h>

#include <ostream>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace
{

using platform::Bitmap;
using platform::Colour;
using platform::Rgb;

constexpr Colour kWhite = Rgb(255, 255, 255);

struct FrameCase {
    std::int32_t width, height;
    assets::BandWidths band;
};

// Names the case in test listings as "640x480" rather than as raw bytes.
void PrintTo(const FrameCase& c, std::ostream* out)
{
    *out << c.width << "x" << c.height;
}

const FrameCase kFrames[] = {
    {640, 480, {10, 11, 10, 10}},  {800, 600, {13, 14, 13, 13}},   {1024, 768, {17, 19, 17, 17}},
    {1152, 864, {20, 21, 20, 20}}, {1280, 1024, {23, 25, 22, 22}}, {1600, 1200, {28, 29, 27, 27}},
};

// The first nine pixels in from the outer edge, away from the corners.
const Colour kRamp[] = {Rgb(140, 157, 196), Rgb(126, 145, 191), Rgb(113, 134, 187),
                        Rgb(101, 123, 184), Rgb(89, 113, 180),  Rgb(77, 103, 177),
                        Rgb(68, 95, 174),   Rgb(58, 87, 171),   Rgb(49, 79, 168)};

// Far enough from a corner to be out of its shading.
constexpr std::int32_t kClearOfCorners = 24;

int Brightness(Colour c)
{
    return platform::RedOf(c) + platform::GreenOf(c) + platform::BlueOf(c);
}

// One of the four sides, walked from the outer edge inwards at `along`.
struct Side {
    const char* name;
    // Pixel `step` pixels in from the edge, `along` pixels along the side.
    std::int32_t (*x)(const Bitmap&, std::int32_t along, std::int32_t step);
    std::int32_t (*y)(const Bitmap&, std::int32_t along, std::int32_t step);
    std::int32_t (*length)(const Bitmap&);
    std::int32_t (*bandOf)(const assets::BandWidths&);
};

const Side kSides[] = {
    {"top", [](const Bitmap&, std::int32_t a, std::int32_t) { return a; },
     [](const Bitmap&, std::int32_t, std::int32_t s) { return s; },
     [](const Bitmap& b) { return b.Width(); }, [](const assets::BandWidths& w) { return w.top; }},
    {"left", [](const Bitmap&, std::int32_t, std::int32_t s) { return s; },
     [](const Bitmap&, std::int32_t a, std::int32_t) { return a; },
     [](const Bitmap& b) { return b.Height(); },
     [](const assets::BandWidths& w) { return w.left; }},
    {"bottom", [](const Bitmap&, std::int32_t a, std::int32_t) { return a; },
     [](const Bitmap& b, std::int32_t, std::int32_t s) { return b.Height() - 1 - s; },
     [](const Bitmap& b) { return b.Width(); },
     [](const assets::BandWidths& w) { return w.bottom; }},
    {"right", [](const Bitmap& b, std::int32_t, std::int32_t s) { return b.Width() - 1 - s; },
     [](const Bitmap&, std::int32_t a, std::int32_t) { return a; },
     [](const Bitmap& b) { return b.Height(); },
     [](const assets::BandWidths& w) { return w.right; }},
};

Colour Along(const Bitmap& art, const Side& side, std::int32_t along, std::int32_t step)
{
    return art.PixelAt(side.x(art, along, step), side.y(art, along, step));
}

class FrameArt : public testing::TestWithParam<FrameCase>
{
protected:
    static void SetUpTestSuite()
    {
        for (const FrameCase& f : kFrames) {
            arts_.push_back(assets::MakeFrameArt(f.width, f.height, f.band));
        }
    }
    static void TearDownTestSuite() { arts_.clear(); }

    const Bitmap& Art() const
    {
        const auto at = std::find_if(std::begin(kFrames), std::end(kFrames),
                                     [&](const auto& f) { return f.width == GetParam().width; });
        return arts_[std::size_t(at - std::begin(kFrames))];
    }
    bool Inside(std::int32_t x, std::int32_t y) const
    {
        const FrameCase& f = GetParam();
        return x >= f.band.left && x < f.width - f.band.right && y >= f.band.top &&
               y < f.height - f.band.bottom;
    }

    static std::vector<Bitmap> arts_;
};

std::vector<Bitmap> FrameArt::arts_;

TEST_P(FrameArt, HasExactSizeIn24Bits)
{
    EXPECT_EQ(Art().Width(), GetParam().width);
    EXPECT_EQ(Art().Height(), GetParam().height);
    EXPECT_EQ(Art().BitsPerPixel(), 24);
    EXPECT_EQ(Art().Order(), Bitmap::RowOrder::TopDown);
}

TEST_P(FrameArt, WhiteExactlyInsideAndAtTopLeft)
{
    const Bitmap& art = Art();
    EXPECT_EQ(art.PixelAt(0, 0), kWhite);
    std::int64_t wrong = 0;
    for (std::int32_t y = 0; y < art.Height(); ++y) {
        for (std::int32_t x = 0; x < art.Width(); ++x) {
            const bool white = art.PixelAt(x, y) == kWhite;
            const bool shouldBe = Inside(x, y) || (x == 0 && y == 0);
            if (white != shouldBe) {
                ADD_FAILURE_AT(__FILE__, __LINE__) << "pixel " << x << "," << y;
                if (++wrong > 5) {
                    return;
                }
            }
        }
    }
}

TEST_P(FrameArt, BandEndsAtItsWidthOnEverySide)
{
    const Bitmap& art = Art();
    for (const Side& side : kSides) {
        const std::int32_t band = side.bandOf(GetParam().band);
        const std::int32_t mid = side.length(art) / 2;
        EXPECT_NE(Along(art, side, mid, band - 1), kWhite) << side.name;
        EXPECT_EQ(Along(art, side, mid, band), kWhite) << side.name;
    }
}

TEST_P(FrameArt, RampFromTheEdgeIsExactAwayFromCorners)
{
    const Bitmap& art = Art();
    // The smallest frame has the same ramp on all four sides; the others on
    // the top and left, and nearly the same on the bottom and right.
    const bool allSidesExact = GetParam().width == 640;
    for (const Side& side : kSides) {
        const bool exact =
            allSidesExact || std::string(side.name) == "top" || std::string(side.name) == "left";
        for (std::int32_t a = kClearOfCorners; a < side.length(art) - kClearOfCorners; ++a) {
            for (std::int32_t step = 0; step < 9; ++step) {
                const Colour got = Along(art, side, a, step);
                const Colour want = kRamp[step];
                if (exact) {
                    ASSERT_EQ(got, want) << side.name << " at " << a << " step " << step;
                } else {
                    ASSERT_NEAR(platform::RedOf(got), platform::RedOf(want), 8) << side.name;
                    ASSERT_NEAR(platform::GreenOf(got), platform::GreenOf(want), 8) << side.name;
                    ASSERT_NEAR(platform::BlueOf(got), platform::BlueOf(want), 8) << side.name;
                }
            }
        }
    }
}

TEST_P(FrameArt, OtherOuterCornersAreLightButNotWhite)
{
    const Bitmap& art = Art();
    const std::int32_t w = art.Width() - 1, h = art.Height() - 1;
    const struct {
        std::int32_t x, y;
    } corners[] = {{w, 0}, {0, h}, {w, h}};
    for (const auto& c : corners) {
        const Colour got = art.PixelAt(c.x, c.y);
        EXPECT_NE(got, kWhite) << c.x << "," << c.y;
        EXPECT_GT(platform::RedOf(got), platform::RedOf(kRamp[0])) << c.x << "," << c.y;
        EXPECT_GT(platform::GreenOf(got), platform::GreenOf(kRamp[0])) << c.x << "," << c.y;
        EXPECT_GT(platform::BlueOf(got), platform::BlueOf(kRamp[0])) << c.x << "," << c.y;
    }
    // Lighter still at the corner than a little way along the diagonal.
    EXPECT_GT(Brightness(art.PixelAt(w, h)), Brightness(art.PixelAt(w - 4, h - 4)));
    EXPECT_GT(Brightness(art.PixelAt(1, 1)), Brightness(art.PixelAt(5, 5)));
}

// How many pixels before the inside get lighter step by step at mid-side.
std::int32_t ShadeWidth(const Bitmap& art, const Side& side, std::int32_t band)
{
    const std::int32_t mid = side.length(art) / 2;
    std::int32_t width = 0;
    for (std::int32_t step = band - 1; step > 0; --step) {
        if (Brightness(Along(art, side, mid, step)) <=
            Brightness(Along(art, side, mid, step - 1))) {
            break;
        }
        ++width;
    }
    return width;
}

TEST_P(FrameArt, GreyShadeLightensTowardsTheInside)
{
    const Bitmap& art = Art();
    for (const Side& side : kSides) {
        const std::int32_t band = side.bandOf(GetParam().band);
        const std::int32_t shade = ShadeWidth(art, side, band);
        EXPECT_GE(shade, 1) << side.name;
        EXPECT_LE(shade, 7) << side.name;
        // The last pixel before the inside is a soft grey.
        const Colour last = Along(art, side, side.length(art) / 2, band - 1);
        const int spread =
            std::max({platform::RedOf(last), platform::GreenOf(last), platform::BlueOf(last)}) -
            std::min({platform::RedOf(last), platform::GreenOf(last), platform::BlueOf(last)});
        EXPECT_LE(spread, 24) << side.name;
        EXPECT_GT(Brightness(last), 3 * 160) << side.name;
    }
}

TEST_P(FrameArt, ScannedShapeIsExactlyTheNonWhitePixels)
{
    const Bitmap& art = Art();
    const platform::Region region = frames::ScanRuns(frames::GridOf(art));
    std::vector<bool> covered(std::size_t(art.Width()) * std::size_t(art.Height()), false);
    for (const platform::Rect& r : region) {
        ASSERT_EQ(r.bottom, r.top + 1);
        for (std::int32_t x = r.left; x < r.right; ++x) {
            const std::size_t i = std::size_t(r.top) * std::size_t(art.Width()) + std::size_t(x);
            ASSERT_FALSE(covered[i]) << "overlap at " << x << "," << r.top;
            covered[i] = true;
        }
    }
    for (std::int32_t y = 0; y < art.Height(); ++y) {
        for (std::int32_t x = 0; x < art.Width(); ++x) {
            const std::size_t i = std::size_t(y) * std::size_t(art.Width()) + std::size_t(x);
            ASSERT_EQ(covered[i], art.PixelAt(x, y) != kWhite) << x << "," << y;
        }
    }
    if (art.Width() == 640) {
        EXPECT_EQ(region.size(), 939u);
    }
}

INSTANTIATE_TEST_SUITE_P(SixFrames, FrameArt, testing::ValuesIn(kFrames),
                         [](const testing::TestParamInfo<FrameCase>& param) {
                             return std::to_string(param.param.width) + "x" +
                                    std::to_string(param.param.height);
                         });

TEST(FrameArtShade, WidensFromOnePixelToSixWithTheBand)
{
    std::int32_t previous = 0;
    for (const FrameCase& f : kFrames) {
        const Bitmap art = assets::MakeFrameArt(f.width, f.height, f.band);
        const std::int32_t shade = ShadeWidth(art, kSides[0], f.band.top);
        EXPECT_GE(shade, previous) << f.width;
        previous = shade;
        if (f.width == 640) {
            EXPECT_EQ(shade, 1);
        }
        if (f.width == 1600) {
            EXPECT_EQ(shade, 6);
        }
    }
}

TEST(FrameArtShade, OddSizesStillKeepTheKeyAndInside)
{
    const struct {
        std::int32_t width, height;
        assets::BandWidths band;
    } cases[] = {{0, 10, {1, 1, 1, 1}},
                 {30, 20, {0, 0, 0, 0}},
                 {25, 15, {12, 12, 12, 12}},
                 {3, 2, {5, 5, 5, 5}},
                 {61, 45, {4, 3, 2, 1}}};
    for (const auto& c : cases) {
        const Bitmap art = assets::MakeFrameArt(c.width, c.height, c.band);
        ASSERT_EQ(art.Width(), std::max(c.width, 0));
        ASSERT_EQ(art.Height(), std::max(c.height, 0));
        for (std::int32_t y = 0; y < art.Height(); ++y) {
            for (std::int32_t x = 0; x < art.Width(); ++x) {
                const bool inside = x >= c.band.left && x < c.width - c.band.right &&
                                    y >= c.band.top && y < c.height - c.band.bottom;
                ASSERT_EQ(art.PixelAt(x, y) == kWhite, inside || (x == 0 && y == 0))
                    << c.width << "x" << c.height << " at " << x << "," << y;
            }
        }
    }
}

} // namespace
