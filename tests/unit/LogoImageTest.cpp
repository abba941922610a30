// The logo as the program carries it: its layout in memory and what it shows.

#include "logo/LogoImage.h"
#include "logo/HomePage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

namespace
{

constexpr platform::Colour Ground = platform::Rgb(32, 56, 120);
constexpr platform::Colour Letters = platform::Rgb(254, 253, 7);
constexpr platform::Colour Shadow = platform::Rgb(8, 14, 30);

// Yellow enough to be part of a letter, not the halo or the ground.
bool IsYellow(platform::Colour c)
{
    return platform::RedOf(c) > 150 && platform::GreenOf(c) > 150 && platform::BlueOf(c) < 100;
}

class LogoImage : public ::testing::Test
{
protected:
    LogoImage() : image(logo::MakeLogoImage())
    {
        for (std::int32_t y = 0; y < image.Height(); ++y)
            for (std::int32_t x = 0; x < image.Width(); ++x)
                ++counts[image.PixelAt(x, y)];
    }
    int Count(platform::Colour c) const
    {
        const auto it = counts.find(c);
        return it == counts.end() ? 0 : it->second;
    }

    platform::Bitmap image;
    std::map<platform::Colour, int> counts;
};

TEST_F(LogoImage, IsA180By80BottomUp24BitPicture)
{
    EXPECT_EQ(image.Width(), 180);
    EXPECT_EQ(image.Height(), 80);
    EXPECT_EQ(image.BitsPerPixel(), 24);
    EXPECT_EQ(image.Order(), platform::Bitmap::RowOrder::BottomUp);
    EXPECT_EQ(image.BytesPerRow(), 540);
    EXPECT_EQ(image.SizeInBytes(), 540u * 80u);
    // The bottom storage row is the bottom of the picture: plain ground there,
    // and also at the top, above the halo.
    EXPECT_EQ(image.Bits()[0], platform::BlueOf(Ground));
    EXPECT_EQ(image.Bits()[1], platform::GreenOf(Ground));
    EXPECT_EQ(image.Bits()[2], platform::RedOf(Ground));
    EXPECT_EQ(image.PixelAt(179, 0), Ground);
}

TEST_F(LogoImage, ShowsYellowLettersOnADarkBlueGroundWithAShadow)
{
    const auto mostFrequent =
        std::max_element(counts.begin(), counts.end(),
                         [](const auto& a, const auto& b) { return a.second < b.second; });
    EXPECT_EQ(mostFrequent->first, Ground);
    const double groundShare = Count(Ground) / (180.0 * 80.0);
    EXPECT_GT(groundShare, 0.6);
    EXPECT_LT(groundShare, 0.9);

    EXPECT_GT(Count(Letters), 0);
    EXPECT_GT(Count(Shadow), 0);
    // Smoothed edges: a few hundred blends, not a handful of flat colours.
    EXPECT_GE(counts.size(), 100u);
    EXPECT_LE(counts.size(), 2000u);
}

TEST_F(LogoImage, TheLettersSpanOneLineAcrossNearlyTheWholeWidth)
{
    std::int32_t left = image.Width(), right = -1, top = image.Height(), bottom = -1;
    for (std::int32_t y = 0; y < image.Height(); ++y)
        for (std::int32_t x = 0; x < image.Width(); ++x)
            if (IsYellow(image.PixelAt(x, y))) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    EXPECT_GE(left, 6);
    EXPECT_LE(right, 168);
    EXPECT_GE(top, 27);
    EXPECT_LE(bottom, 45);
    // Nearly the full width, and one line of text high.
    EXPECT_LE(left, 8);
    EXPECT_GE(right, 166);
    EXPECT_LE(bottom - top + 1, 19);
    EXPECT_GE(bottom - top + 1, 12);
}

TEST_F(LogoImage, TheHaloLiesAboveTheLettersAndTheShadowBelowAndRight)
{
    // The middle of the letters, of the light blends (the halo) and of the dark
    // ones (the shadow).
    struct Centre {
        double x = 0, y = 0;
        int n = 0;
        void Add(std::int32_t px, std::int32_t py)
        {
            x += px;
            y += py;
            ++n;
        }
    } letters, light, dark;
    auto brightness = [](platform::Colour c) {
        return platform::RedOf(c) + platform::GreenOf(c) + platform::BlueOf(c);
    };
    for (std::int32_t y = 0; y < image.Height(); ++y)
        for (std::int32_t x = 0; x < image.Width(); ++x) {
            const platform::Colour c = image.PixelAt(x, y);
            if (IsYellow(c))
                letters.Add(x, y);
            else if (brightness(c) > brightness(Ground) + 60)
                light.Add(x, y);
            else if (brightness(c) < brightness(Ground) - 60)
                dark.Add(x, y);
        }
    ASSERT_GT(letters.n, 0);
    ASSERT_GT(light.n, 100);
    ASSERT_GT(dark.n, 100);
    EXPECT_LT(light.y / light.n, letters.y / letters.n - 1.0);
    EXPECT_GT(dark.y / dark.n, letters.y / letters.n + 1.0);
    EXPECT_GT(dark.x / dark.n, letters.x / letters.n);

    // Somewhere the shadow's own colour lies just right of a letter.
    int shadowRightOfLetters = 0;
    for (std::int32_t y = 0; y < image.Height(); ++y)
        for (std::int32_t x = 1; x < image.Width(); ++x)
            if (image.PixelAt(x, y) == Shadow && IsYellow(image.PixelAt(x - 1, y)))
                ++shadowRightOfLetters;
    EXPECT_GT(shadowRightOfLetters, 0);
}

TEST_F(LogoImage, EachCallGivesItsOwnEqualCopy)
{
    platform::Bitmap again = logo::MakeLogoImage();
    ASSERT_EQ(again.SizeInBytes(), image.SizeInBytes());
    EXPECT_TRUE(std::equal(again.Bits(), again.Bits() + again.SizeInBytes(), image.Bits()));
    again.Bits()[0] = 0;
    EXPECT_NE(logo::MakeLogoImage().Bits()[0], 0);
}

} // namespace
