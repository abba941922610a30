#pragma once

#include <array>
#include <cstdint>

namespace logo
{

// The brightness factor a channel scroll-bar value stands for: e^(value / 50) / 5,
// worked out in double and handed back as float. Value 81 is the first to brighten.
float Gain(std::int16_t value);

// The look-up table that scales one colour channel by gain: entry i is i * gain
// (a float product), clipped at 255 and rounded to the nearest integer, halves
// to even.
std::array<std::uint8_t, 256> GainTable(float gain);

} // namespace logo
