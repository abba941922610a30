#include "platform/Rounding.h"

#include "platform/RunTimeError.h"

#include <cfenv>
#include <cmath>

namespace platform
{

std::int32_t RoundToInt32(double value)
{
    // nearbyint rounds in the current mode; the program never leaves the
    // default, round to nearest with ties to even.
    const double rounded = std::nearbyint(value);
    if (!(rounded >= -2147483648.0 && rounded <= 2147483647.0))
        throw RunTimeError(RunTimeError::Overflow, "Overflow");
    return std::int32_t(rounded);
}

} // namespace platform
