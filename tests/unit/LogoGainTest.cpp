// The gain a channel scroll bar stands for, and the byte table made from it.

#include "logo/Gain.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace
{

// Entries first..last of a table all hold value.
struct Entries {
    int first;
    int last;
    int value;
};

struct GainCase {
    std::int16_t value;
    float gain;
    std::vector<Entries> entries;
};

const std::vector<GainCase> GainCases = {
    {1, 0.20404027f, {{2, 2, 0}, {3, 3, 1}, {32, 32, 7}, {200, 200, 41}, {255, 255, 52}}},
    {50, 0.54365635f, {{128, 128, 70}, {255, 255, 139}}},
    // The last value that darkens, and the first that brightens.
    {80, 0.99060649f, {{254, 254, 252}, {255, 255, 253}}},
    {81, 1.0106181f, {{251, 251, 254}, {252, 255, 255}}},
    {100, 1.4778112f, {{171, 171, 253}, {172, 172, 254}, {173, 255, 255}}},
    {194, 9.6848431f, {{1, 1, 10}, {26, 26, 252}, {27, 255, 255}}},
    {195, 9.8804893f, {{1, 1, 10}, {10, 10, 99}, {25, 25, 247}, {26, 255, 255}}},
};

TEST(LogoGain, KnownValuesGiveTheirGainAndTableEntries)
{
    for (const GainCase& c : GainCases) {
        SCOPED_TRACE(testing::Message() << "value " << c.value);
        const float gain = logo::Gain(c.value);
        EXPECT_EQ(gain, c.gain);
        const auto table = logo::GainTable(gain);
        for (const Entries& e : c.entries)
            for (int i = e.first; i <= e.last; ++i)
                EXPECT_EQ(table[static_cast<std::size_t>(i)], e.value) << "entry " << i;
    }
}

TEST(LogoGain, OnlyValuesFrom81OnBrighten)
{
    for (std::int16_t v = 1; v <= 200; ++v) {
        EXPECT_EQ(logo::Gain(v) >= 1.0f, v >= 81) << "value " << v;
        if (v > 1) {
            EXPECT_LT(logo::Gain(static_cast<std::int16_t>(v - 1)), logo::Gain(v)) << "value " << v;
        }
    }
}

TEST(LogoGain, EveryScrollValueGivesAMonotoneTableFromZero)
{
    for (std::int16_t v = 1; v <= 200; ++v) {
        SCOPED_TRACE(testing::Message() << "value " << v);
        const float gain = logo::Gain(v);
        const auto table = logo::GainTable(gain);
        EXPECT_EQ(table[0], 0);
        for (std::size_t i = 1; i < table.size(); ++i)
            ASSERT_LE(table[i - 1], table[i]) << "entry " << i;
        // No product lands on a half, so how halves round never shows in the table.
        for (int i = 0; i < 256; ++i) {
            const float x = static_cast<float>(i) * gain;
            if (x < 255.0f) {
                ASSERT_NE(x - std::floor(x), 0.5f) << "entry " << i;
            }
        }
    }
}

TEST(LogoGain, TableClipsAt255AndRoundsToNearest)
{
    const auto unity = logo::GainTable(1.0f);
    for (std::size_t i = 0; i < unity.size(); ++i)
        EXPECT_EQ(static_cast<std::size_t>(unity[i]), i);

    // Halves go to the even neighbour: 0.5 * 1, 3, 5 are 0.5, 1.5, 2.5.
    const auto half = logo::GainTable(0.5f);
    EXPECT_EQ(half[1], 0);
    EXPECT_EQ(half[3], 2);
    EXPECT_EQ(half[5], 2);
    EXPECT_EQ(half[255], 128);

    const auto huge = logo::GainTable(1000.0f);
    EXPECT_EQ(huge[0], 0);
    for (std::size_t i = 1; i < huge.size(); ++i)
        EXPECT_EQ(huge[i], 255) << "entry " << i;
}

} // namespace
