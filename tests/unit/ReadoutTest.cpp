#include "app/Readout.h"
#include "platform/RunTimeError.h"

#include <gtest/gtest.h>

namespace
{

TEST(Readout, ScreenSizeIsTwipsOverTwipsPerPixelRoundedHalfToEven)
{
    struct Case {
        platform::ScreenMetrics screen;
        app::ScreenSize expected;
    };
    const Case cases[] = {
        {{1024 * 15.0f, 768 * 15.0f, 15, 15}, {1024, 768}},
        {{1024 * 12.0f, 768 * 12.0f, 12, 12}, {1024, 768}},
        {{1280 * 15.0f, 1024 * 15.0f, 15, 15}, {1280, 1024}},
        // 2.5 and 3.5 pixels: halves go to the even neighbour.
        {{37.5f, 52.5f, 15, 15}, {2, 4}},
        {{1001.0f, 1003.0f, 2, 2}, {500, 502}},
        // Different divisors across and down.
        {{1920 * 15.0f, 1200 * 12.0f, 15, 12}, {1920, 1200}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(app::ComputeScreenSize(c.screen), c.expected);
}

TEST(Readout, DivisionByZeroAndOverflowAreErrors)
{
    struct Case {
        platform::ScreenMetrics screen;
        int error;
    };
    const Case cases[] = {
        {{15360, 11520, 0, 15}, platform::RunTimeError::DivisionByZero},
        {{15360, 11520, 15, 0}, platform::RunTimeError::DivisionByZero},
        {{3.3e10f, 11520, 1, 15}, platform::RunTimeError::Overflow},
        {{-3.3e10f, 11520, 1, 15}, platform::RunTimeError::Overflow},
    };
    for (const Case& c : cases) {
        try {
            app::ComputeScreenSize(c.screen);
            ADD_FAILURE() << "no error";
        } catch (const platform::RunTimeError& e) {
            EXPECT_EQ(e.ErrorNumber(), c.error);
        }
    }
}

TEST(Readout, TextNamesWidthAndHeightAsPlainDigits)
{
    EXPECT_EQ(app::ReadoutText({1280, 1024}), "Aktuelle Bildschirmauflösung: 1280 x 1024");
    EXPECT_EQ(app::ReadoutText({-5, 0}), "Aktuelle Bildschirmauflösung: -5 x 0");
}

} // namespace
