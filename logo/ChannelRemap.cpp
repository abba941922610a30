#include "logo/ChannelRemap.h"

#include "platform/RunTimeError.h"

#include <cstddef>

namespace logo
{

PixelView ViewOf(platform::Bitmap* picture)
{
    if (picture == nullptr || picture->IsEmpty())
        return {};
    return {.bitsPerPixel = picture->BitsPerPixel(),
            .bytesPerRow = picture->BytesPerRow(),
            .rows = picture->Height(),
            .bits = picture->Bits()};
}

RemapResult ApplyChannelGain(std::int16_t index, const std::array<std::uint8_t, 256>& table,
                             const PixelView& destination, const PixelView& source)
{
    if (destination.bitsPerPixel != 24)
        return RemapResult::Not24Bit;

    const std::int32_t end = destination.bytesPerRow - 1;
    const std::ptrdiff_t sourceStride = source.bytesPerRow;
    const std::ptrdiff_t destinationStride = destination.bytesPerRow;
    // Column by column, each from the top of storage down.
    for (std::int32_t x = 2 - index; x <= end; x += 3) {
        for (std::int32_t y = 0; y < destination.rows; ++y) {
            if (x < 0 || x >= source.bytesPerRow || y >= source.rows)
                throw platform::RunTimeError(platform::RunTimeError::SubscriptOutOfRange,
                                             "Subscript out of range");
            const std::uint8_t value = source.bits[y * sourceStride + x];
            destination.bits[y * destinationStride + x] = table[value];
        }
    }
    return RemapResult::Done;
}

} // namespace logo
