#include "logo/LogoImage.h"

#include <cstddef>
#include <cstdint>

namespace logo
{

namespace
{

// A stretch of pixels of one colour, in reading order from the top left.
struct LogoRun {
    std::uint16_t length;
    std::uint16_t colour; // its number in LogoColours
};

#include "logo/LogoPixels.inc"

constexpr bool RunsCoverTheLogo()
{
    std::size_t pixels = 0;
    for (const LogoRun& run : LogoRuns) {
        if (run.length == 0 || run.colour >= std::size(LogoColours))
            return false;
        pixels += run.length;
    }
    return pixels == std::size_t(LogoWidth) * std::size_t(LogoHeight);
}
static_assert(RunsCoverTheLogo(), "LogoPixels.inc does not fit the logo; run make-logo.py again");

} // namespace

platform::Bitmap MakeLogoImage()
{
    platform::Bitmap image(LogoWidth, LogoHeight, 24, platform::Bitmap::RowOrder::BottomUp);
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::uint8_t* row = image.DisplayRow(0);
    for (const LogoRun& run : LogoRuns) {
        const std::uint32_t colour = LogoColours[run.colour];
        const auto red = static_cast<std::uint8_t>(colour >> 16);
        const auto green = static_cast<std::uint8_t>(colour >> 8);
        const auto blue = static_cast<std::uint8_t>(colour);
        for (std::uint16_t i = 0; i < run.length; ++i) {
            std::uint8_t* pixel = row + 3 * x;
            pixel[0] = blue;
            pixel[1] = green;
            pixel[2] = red;
            if (++x == LogoWidth) {
                x = 0;
                if (++y < LogoHeight)
                    row = image.DisplayRow(y);
            }
        }
    }
    return image;
}

} // namespace logo
