#pragma once

#include "platform/Geometry.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace platform
{

// A device-independent bitmap: rows of blue, green, red bytes (24 bits per
// pixel) or blue, green, red, unused bytes (32), each row padded to a multiple
// of four bytes. The bytes are stored bottom-up or top-down, as the bitmap was
// made; both backends paint straight from this memory, so whatever is written
// into it is what the next repaint shows.
class Bitmap
{
public:
    enum class RowOrder { TopDown, BottomUp };

    Bitmap() = default;
    Bitmap(std::int32_t width, std::int32_t height, int bitsPerPixel = 24,
           RowOrder order = RowOrder::TopDown);

    std::int32_t Width() const { return width_; }
    std::int32_t Height() const { return height_; }
    int BitsPerPixel() const { return bitsPerPixel_; }
    std::int32_t BytesPerRow() const { return bytesPerRow_; }
    RowOrder Order() const { return order_; }
    bool IsEmpty() const { return width_ <= 0 || height_ <= 0; }

    // The pixel memory in storage order: storage row 0 is the bottom row of a
    // bottom-up bitmap and the top row of a top-down one.
    std::uint8_t* Bits() { return bits_.data(); }
    const std::uint8_t* Bits() const { return bits_.data(); }
    std::size_t SizeInBytes() const { return bits_.size(); }

    // The first byte of the row that is displayed at y (0 = top).
    std::uint8_t* DisplayRow(std::int32_t y);
    const std::uint8_t* DisplayRow(std::int32_t y) const;

    // Pixel (x, y) with y counted from the top, in the layout 0x00BBGGRR.
    Colour PixelAt(std::int32_t x, std::int32_t y) const;
    void SetPixel(std::int32_t x, std::int32_t y, Colour c);

    static std::int32_t RowBytesFor(std::int32_t width, int bitsPerPixel);

private:
    std::int32_t width_ = 0;
    std::int32_t height_ = 0;
    int bitsPerPixel_ = 0;
    std::int32_t bytesPerRow_ = 0;
    RowOrder order_ = RowOrder::TopDown;
    std::vector<std::uint8_t> bits_;
};

} // namespace platform
