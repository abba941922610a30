#include "frames/RunScan.h"

#include <bit>
#include <cstring>
#include <vector>

namespace frames
{

namespace
{

constexpr std::int32_t kBytesPerPixel = 3;

// Eight pixels take 24 bytes, three 64-bit words, and every block of eight that
// starts on a pixel boundary has the same bytes when all of its pixels are the
// key colour: a block is checked by comparing three words with that pattern.
constexpr std::int32_t kBlockPixels = 8;
constexpr std::int32_t kBlockBytes = kBlockPixels * kBytesPerPixel;

// Key-coloured stretches longer than this are not walked block by block but
// halved with memcmp, which the C library runs with the widest loads the
// machine has, until the first other pixel is within this many pixels.
constexpr std::int32_t kHalvingFrom = 64;

// Eight bytes as one word, the first byte in the lowest bits whatever the
// machine's byte order, so that bit positions follow memory order.
std::uint64_t Load64(const std::uint8_t* p)
{
    if constexpr (std::endian::native == std::endian::little) {
        std::uint64_t v;
        std::memcpy(&v, p, sizeof v);
        return v;
    } else {
        std::uint64_t v = 0;
        for (int i = 7; i >= 0; --i) {
            v = (v << 8) | p[i];
        }
        return v;
    }
}

constexpr std::uint64_t kLowBits = 0x0101010101010101u;
constexpr std::uint64_t kLow7Bits = 0x7F7F7F7F7F7F7F7Fu;
constexpr std::uint64_t kHighBits = 0x8080808080808080u;

// Non-zero exactly when some byte of v is zero (cheaper than ZeroBytes when
// only that is wanted).
constexpr std::uint64_t HasZeroByte(std::uint64_t v)
{
    return (v - kLowBits) & ~v & kHighBits;
}

// Bit i set exactly when byte i of v is zero.
constexpr std::uint32_t ZeroBytes(std::uint64_t v)
{
    const std::uint64_t high = ~(((v & kLow7Bits) + kLow7Bits) | v | kLow7Bits);
    // Gathers the eight high bits into the top byte, byte i's at bit 56 + i.
    return std::uint32_t(((high >> 7) * 0x0102040810204080u) >> 56);
}

// Bit 3j of a block's byte mask stands for its pixel j.
constexpr std::uint32_t kPixelBits = 0x249249;

class KeyMatcher
{
public:
    KeyMatcher(const std::uint8_t* keyPixel, std::int32_t width)
        : b_(keyPixel[0]), g_(keyPixel[1]), r_(keyPixel[2])
    {
        std::uint8_t block[kBlockBytes];
        for (std::int32_t i = 0; i < kBlockBytes; i += kBytesPerPixel) {
            block[i] = b_;
            block[i + 1] = g_;
            block[i + 2] = r_;
        }
        k0_ = Load64(block);
        k1_ = Load64(block + 8);
        k2_ = Load64(block + 16);
        keyRow_.resize((std::size_t(width) / kBlockPixels + 1) * kBlockBytes);
        for (std::size_t i = 0; i < keyRow_.size(); i += kBlockBytes) {
            std::memcpy(keyRow_.data() + i, block, kBlockBytes);
        }
    }

    // The first x in [x, width) whose pixel is not the key colour, or width.
    std::int32_t SkipKey(const std::uint8_t* row, std::int32_t x, std::int32_t width) const
    {
        const std::uint8_t* p = row + std::ptrdiff_t(x) * kBytesPerPixel;
        // Short gaps between runs end within the first few blocks.
        for (std::int32_t i = 0; i < 4 && width - x >= kBlockPixels; ++i) {
            if (const std::int32_t at = OtherPixel(p); at < kBlockPixels) {
                return x + at;
            }
            x += kBlockPixels;
            p += kBlockBytes;
        }
        // A long stretch: while it is long, find out which half of what is
        // left holds the first other pixel.
        std::int32_t left = width - x;
        while (left > kHalvingFrom) {
            const std::int32_t half = left / 2;
            const std::size_t bytes = std::size_t(half) * kBytesPerPixel;
            if (std::memcmp(p, keyRow_.data(), bytes) == 0) {
                x += half;
                p += bytes;
                left -= half;
            } else {
                left = half;
            }
        }
        // The first other pixel, if any, is now close.
        for (; width - x >= kBlockPixels; x += kBlockPixels, p += kBlockBytes) {
            if (const std::int32_t at = OtherPixel(p); at < kBlockPixels) {
                return x + at;
            }
        }
        for (; x < width && IsKey(p); ++x, p += kBytesPerPixel) {
        }
        return x;
    }

    // The first x in [x, width) whose pixel is the key colour, or width.
    std::int32_t SkipOther(const std::uint8_t* row, std::int32_t x, std::int32_t width) const
    {
        const std::uint8_t* p = row + std::ptrdiff_t(x) * kBytesPerPixel;
        while (width - x >= kBlockPixels) {
            // Two blocks none of whose bytes equals the key's byte in its place
            // hold no key pixel; that is quick to rule out.
            for (; width - x >= 2 * kBlockPixels; x += 2 * kBlockPixels, p += 2 * kBlockBytes) {
                const std::uint64_t same =
                    HasZeroByte(Load64(p) ^ k0_) | HasZeroByte(Load64(p + 8) ^ k1_) |
                    HasZeroByte(Load64(p + 16) ^ k2_) | HasZeroByte(Load64(p + 24) ^ k0_) |
                    HasZeroByte(Load64(p + 32) ^ k1_) | HasZeroByte(Load64(p + 40) ^ k2_);
                if (same != 0) {
                    break;
                }
            }
            for (std::int32_t i = 0; i < 2 && width - x >= kBlockPixels; ++i) {
                if (const std::uint32_t key = KeyPixels(p); key != 0) {
                    return x + std::countr_zero(key) / kBytesPerPixel;
                }
                x += kBlockPixels;
                p += kBlockBytes;
            }
        }
        if (x == width) {
            return x;
        }
        if (width >= kBlockPixels) {
            // The last few pixels: the block that ends the row, with the
            // pixels in it before x shifted out.
            const std::int32_t known = kBlockPixels - (width - x);
            const std::uint32_t key =
                KeyPixels(p - std::ptrdiff_t(known) * kBytesPerPixel) >> (known * kBytesPerPixel);
            return key != 0 ? x + std::countr_zero(key) / kBytesPerPixel : width;
        }
        for (; x < width && !IsKey(p); ++x, p += kBytesPerPixel) {
        }
        return x;
    }

private:
    bool IsKey(const std::uint8_t* p) const { return p[0] == b_ && p[1] == g_ && p[2] == r_; }

    // The first pixel of the block at p that is not the key colour, or
    // kBlockPixels when all eight are.
    std::int32_t OtherPixel(const std::uint8_t* p) const
    {
        const std::uint64_t d0 = Load64(p) ^ k0_;
        const std::uint64_t d1 = Load64(p + 8) ^ k1_;
        const std::uint64_t d2 = Load64(p + 16) ^ k2_;
        if ((d0 | d1 | d2) == 0) {
            return kBlockPixels;
        }
        const int byte = d0 != 0   ? std::countr_zero(d0) / 8
                         : d1 != 0 ? 8 + std::countr_zero(d1) / 8
                                   : 16 + std::countr_zero(d2) / 8;
        return byte / kBytesPerPixel;
    }

    // Bit 3j set when pixel j of the block at p is the key colour.
    std::uint32_t KeyPixels(const std::uint8_t* p) const
    {
        const std::uint32_t same = ZeroBytes(Load64(p) ^ k0_) |
                                   (ZeroBytes(Load64(p + 8) ^ k1_) << 8) |
                                   (ZeroBytes(Load64(p + 16) ^ k2_) << 16);
        return same & (same >> 1) & (same >> 2) & kPixelBits;
    }

    std::uint8_t b_, g_, r_;
    std::uint64_t k0_, k1_, k2_;
    std::vector<std::uint8_t> keyRow_;
};

} // namespace

PixelGrid GridOf(const platform::Bitmap& bitmap)
{
    if (bitmap.IsEmpty() || bitmap.BitsPerPixel() != 24) {
        return {};
    }
    const std::ptrdiff_t stride = bitmap.Order() == platform::Bitmap::RowOrder::TopDown
                                      ? std::ptrdiff_t(bitmap.BytesPerRow())
                                      : -std::ptrdiff_t(bitmap.BytesPerRow());
    return {bitmap.DisplayRow(0), stride, bitmap.Width(), bitmap.Height()};
}

platform::Region ScanRuns(const PixelGrid& grid)
{
    platform::Region region;
    if (grid.width <= 0 || grid.height <= 0) {
        return region;
    }
    // A frame has a run down each side of most rows.
    region.reserve(std::size_t(grid.height) * 2);
    const KeyMatcher key(grid.top, grid.width);
    const std::int32_t width = grid.width;
    const std::size_t rowBytes = std::size_t(width) * kBytesPerPixel;
    // The rectangles of the row above, from this index to the end.
    std::size_t aboveFirst = 0;
    for (std::int32_t y = 0; y < grid.height; ++y) {
        const std::uint8_t* row = grid.top + std::ptrdiff_t(y) * grid.rowStride;
        const std::size_t first = region.size();
        // Most rows of a frame repeat the row above byte for byte, and so do
        // its runs.
        if (y > 0 && std::memcmp(row, row - grid.rowStride, rowBytes) == 0) {
            for (std::size_t i = aboveFirst; i < first; ++i) {
                const platform::Rect r = region[i];
                region.push_back({r.left, y, r.right, y + 1});
            }
            aboveFirst = first;
            continue;
        }
        std::int32_t x = 0;
        while (true) {
            x = key.SkipKey(row, x, width);
            if (x == width) {
                break;
            }
            const std::int32_t start = x;
            x = key.SkipOther(row, x, width);
            region.push_back({start, y, x, y + 1});
        }
        aboveFirst = first;
    }
    return region;
}

} // namespace frames
