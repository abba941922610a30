#pragma once

// Lets gtest print a window's place and size as the X tools do: WxH+X+Y.

#include "tests/support/X11Probe.h"

#include <ostream>

namespace testing_support
{
inline void PrintTo(const ScreenRect& r, std::ostream* out)
{
    *out << r.width << "x" << r.height << "+" << r.x << "+" << r.y;
}
} // namespace testing_support
