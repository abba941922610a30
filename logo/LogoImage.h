#pragma once

#include "platform/Bitmap.h"

namespace logo
{

inline constexpr int LogoWidth = 180;
inline constexpr int LogoHeight = 80;

// The logo: 180 x 80 pixels, 24 bits, rows bottom-up, 540 bytes per row.
platform::Bitmap MakeLogoImage();

} // namespace logo
