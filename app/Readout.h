#pragma once

#include "platform/Types.h"

#include <cstdint>
#include <string>

namespace app
{

struct ScreenSize {
    std::int32_t width = 0;
    std::int32_t height = 0;
    friend bool operator==(const ScreenSize&, const ScreenSize&) = default;
};

// The screen's size in pixels: its size in twips divided by its twips per
// pixel, each quotient rounded to the nearest integer (halves to even). A
// zero divisor raises the division error, a quotient beyond 32 bits overflow.
ScreenSize ComputeScreenSize(const platform::ScreenMetrics& screen);

// "Aktuelle Bildschirmauflösung: 1280 x 1024"
std::string ReadoutText(const ScreenSize& size);

} // namespace app
