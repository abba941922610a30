#pragma once

#include "platform/Bitmap.h"

#include <array>
#include <cstdint>

namespace logo
{

// A picture's pixel memory as the remap sees it: the rows in storage order, each
// bytesPerRow long. It borrows the memory; the picture must outlive it.
struct PixelView {
    int bitsPerPixel = 0;
    std::int32_t bytesPerRow = 0;
    std::int32_t rows = 0;
    std::uint8_t* bits = nullptr;
};

// The view of a picture's memory; no picture, or an empty one, gives the all-zero view.
PixelView ViewOf(platform::Bitmap* picture);

enum class RemapResult { Done, Not24Bit };

// Rewrites one colour channel of destination from the same channel of source,
// through table: index 0 is red (byte 2 of every three), 1 is green (byte 1).
// The stride runs to the end of each row, so fill bytes on it are rewritten too.
// Only a 24-bit destination is remapped; anything else is left as it is and
// reported. The source is only read. A source smaller than the destination
// raises SubscriptOutOfRange where it runs out; what was written until then stays.
RemapResult ApplyChannelGain(std::int16_t index, const std::array<std::uint8_t, 256>& table,
                             const PixelView& destination, const PixelView& source);

} // namespace logo
