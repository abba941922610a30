#pragma once

#include <cstdint>

namespace platform
{

// A number converted to a signed 32-bit integer the way the forms run time
// converts: to the nearest integer, a value exactly halfway to the even one.
// A value outside the 32-bit range (or not a number) raises the overflow error.
std::int32_t RoundToInt32(double value);

} // namespace platform
