#pragma once

#include "assets/Cursors.h"

namespace assets
{

// 16 x 16: the program's window icon, a framed screen showing a few lines.
const PixelArt& WindowIcon();

} // namespace assets
