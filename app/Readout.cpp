#include "app/Readout.h"

#include "app/Texts.h"
#include "platform/Rounding.h"
#include "platform/RunTimeError.h"

namespace app
{

namespace
{

std::int32_t Quotient(float twips, float twipsPerPixel)
{
    if (twipsPerPixel == 0.0f)
        throw platform::RunTimeError(platform::RunTimeError::DivisionByZero, "Division by zero");
    // Single by single gives single; only then is it rounded.
    const float pixels = twips / twipsPerPixel;
    return platform::RoundToInt32(double(pixels));
}

} // namespace

ScreenSize ComputeScreenSize(const platform::ScreenMetrics& screen)
{
    return {Quotient(screen.widthTwips, screen.twipsPerPixelX),
            Quotient(screen.heightTwips, screen.twipsPerPixelY)};
}

std::string ReadoutText(const ScreenSize& size)
{
    return std::string(texts::ReadoutPrefix) + std::to_string(size.width) + " x " +
           std::to_string(size.height);
}

} // namespace app
