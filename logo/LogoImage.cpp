#include "logo/LogoImage.h"

#include <algorithm>

namespace logo
{

platform::Bitmap MakeLogoImage()
{
    platform::Bitmap image(LogoWidth, LogoHeight, 24, platform::Bitmap::RowOrder::BottomUp);
    // Flat dark blue ground until the lettering is drawn.
    for (std::int32_t y = 0; y < LogoHeight; ++y) {
        std::uint8_t* row = image.DisplayRow(y);
        for (std::int32_t x = 0; x < LogoWidth; ++x) {
            row[3 * x + 0] = 120;
            row[3 * x + 1] = 56;
            row[3 * x + 2] = 32;
        }
    }
    return image;
}

} // namespace logo
