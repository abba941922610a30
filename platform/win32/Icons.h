#pragma once

#include "platform/Bitmap.h"
#include "platform/win32/Win32.h"

namespace platform::win32
{

// An icon (or, with `cursor`, a pointer with its hot spot) from a bitmap: 32
// bits with alpha as the platform layer makes them, or 24 bits, all opaque.
// `scale` repeats every pixel that many times each way, which keeps pixel art
// sharp at the larger icon size. Null when the bitmap is empty or the system
// refuses; the caller destroys it (DestroyIcon).
HICON MakeIcon(const Bitmap& image, int scale = 1);
HCURSOR MakeCursor(const Bitmap& image, int hotX, int hotY);

} // namespace platform::win32
