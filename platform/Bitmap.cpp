#include "platform/Bitmap.h"

namespace platform
{

std::int32_t Bitmap::RowBytesFor(std::int32_t width, int bitsPerPixel)
{
    const std::int64_t bits = std::int64_t(width) * bitsPerPixel;
    return std::int32_t(((bits + 31) / 32) * 4);
}

Bitmap::Bitmap(std::int32_t width, std::int32_t height, int bitsPerPixel, RowOrder order)
    : width_(width > 0 ? width : 0), height_(height > 0 ? height : 0), bitsPerPixel_(bitsPerPixel),
      bytesPerRow_(RowBytesFor(width_, bitsPerPixel)), order_(order),
      bits_(std::size_t(bytesPerRow_) * std::size_t(height_), 0)
{
}

std::uint8_t* Bitmap::DisplayRow(std::int32_t y)
{
    const std::int32_t storageRow = order_ == RowOrder::TopDown ? y : height_ - 1 - y;
    return bits_.data() + std::size_t(storageRow) * std::size_t(bytesPerRow_);
}

const std::uint8_t* Bitmap::DisplayRow(std::int32_t y) const
{
    return const_cast<Bitmap*>(this)->DisplayRow(y);
}

Colour Bitmap::PixelAt(std::int32_t x, std::int32_t y) const
{
    const std::uint8_t* p = DisplayRow(y) + std::size_t(x) * std::size_t(bitsPerPixel_ / 8);
    return Rgb(p[2], p[1], p[0]);
}

void Bitmap::SetPixel(std::int32_t x, std::int32_t y, Colour c)
{
    std::uint8_t* p = DisplayRow(y) + std::size_t(x) * std::size_t(bitsPerPixel_ / 8);
    p[0] = BlueOf(c);
    p[1] = GreenOf(c);
    p[2] = RedOf(c);
}

} // namespace platform
