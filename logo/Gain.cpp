#include "logo/Gain.h"

#include <cmath>

namespace logo
{

float Gain(std::int16_t value)
{
    const double gain = std::exp(static_cast<double>(value) / 50.0) / 5.0;
    return static_cast<float>(gain);
}

std::array<std::uint8_t, 256> GainTable(float gain)
{
    std::array<std::uint8_t, 256> table{};
    for (std::size_t i = 0; i < table.size(); ++i) {
        // Kept in a float on purpose: the product is rounded to single precision
        // before it is compared and rounded again, whatever the FPU holds.
        float x = static_cast<float>(i) * gain;
        if (x > 255.0f)
            x = 255.0f;
        // A negative or not-a-number gain has no byte to give; the scroll bars never make one.
        if (!(x >= 0.0f))
            x = 0.0f;
        // The default rounding mode: to nearest, halves to even.
        table[i] = static_cast<std::uint8_t>(std::nearbyint(x));
    }
    return table;
}

} // namespace logo
