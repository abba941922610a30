#include "assets/FrameArt.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <iterator>

namespace assets
{

namespace
{

struct Rgb {
    std::int32_t r, g, b;
};

// The band from the outer edge inwards, one entry per pixel. Wide bands run
// further down the list; anything deeper keeps the last colour.
constexpr Rgb kRamp[] = {
    {140, 157, 196}, {126, 145, 191}, {113, 134, 187}, {101, 123, 184}, {89, 113, 180},
    {77, 103, 177},  {68, 95, 174},   {58, 87, 171},   {49, 79, 168},   {42, 73, 166},
    {36, 68, 165},   {31, 63, 164},   {26, 59, 163},   {22, 55, 162},   {18, 51, 161},
    {15, 48, 160},   {12, 45, 159},   {9, 42, 158},    {7, 39, 157},    {5, 37, 157},
    {3, 35, 156},    {2, 33, 156},    {1, 31, 155},
};
constexpr std::int32_t kRampLength = std::int32_t(std::size(kRamp));

// The grey shade between band and inside runs from the first colour to the
// second, both ends left out, so it never reaches white.
constexpr Rgb kShadeDark = {150, 152, 160};
constexpr Rgb kShadeLight = {248, 248, 248};

// Near each corner the band lightens towards this colour, reached at the
// outer corner pixel itself.
constexpr Rgb kCornerLight = {187, 197, 210};
constexpr std::int32_t kCornerReach = 20;

constexpr std::int32_t kBytesPerPixel = 3;

// a + (b - a) * num / den, rounded; 0 <= num <= den.
std::int32_t Mix(std::int32_t a, std::int32_t b, std::int32_t num, std::int32_t den)
{
    return (a * (den - num) + b * num + den / 2) / den;
}

Rgb Mix(Rgb a, Rgb b, std::int32_t num, std::int32_t den)
{
    return {Mix(a.r, b.r, num, den), Mix(a.g, b.g, num, den), Mix(a.b, b.b, num, den)};
}

void Put(std::uint8_t* p, Rgb c)
{
    p[0] = std::uint8_t(c.b);
    p[1] = std::uint8_t(c.g);
    p[2] = std::uint8_t(c.r);
}

class Painter
{
public:
    Painter(std::int32_t width, std::int32_t height, BandWidths band)
        : width_(width), height_(height), insideLeft_(std::clamp(band.left, 0, width)),
          insideRight_(std::clamp(width - std::max(band.right, 0), insideLeft_, width)),
          insideTop_(std::clamp(band.top, 0, height)),
          insideBottom_(std::clamp(height - std::max(band.bottom, 0), insideTop_, height)),
          shade_(ShadeWidth(band))
    {
    }

    // Rows from here to height - 1 - here look all the same: below the top
    // band and the corner shading, above the bottom ones.
    std::int32_t PlainRowsFrom() const
    {
        return std::max({insideTop_, height_ - insideBottom_, insideLeft_, width_ - insideRight_,
                         kCornerReach});
    }

    void PaintRow(std::int32_t y, std::uint8_t* row) const
    {
        const bool inBandRows = y < insideTop_ || y >= insideBottom_ || insideLeft_ >= insideRight_;
        if (inBandRows) {
            PaintBand(y, 0, width_, row);
            return;
        }
        PaintBand(y, 0, insideLeft_, row);
        std::memset(row + std::ptrdiff_t(insideLeft_) * kBytesPerPixel, 0xFF,
                    std::size_t(insideRight_ - insideLeft_) * kBytesPerPixel);
        PaintBand(y, insideRight_, width_, row);
    }

private:
    // One shade pixel for the 10-pixel band of the smallest frame, six for the
    // 27-pixel band of the largest.
    static std::int32_t ShadeWidth(BandWidths band)
    {
        const std::int32_t thinnest = std::min({band.top, band.bottom, band.left, band.right});
        return std::max(1, (2 * thinnest - 10) / 7);
    }

    void PaintBand(std::int32_t y, std::int32_t from, std::int32_t to, std::uint8_t* row) const
    {
        std::uint8_t* p = row + std::ptrdiff_t(from) * kBytesPerPixel;
        for (std::int32_t x = from; x < to; ++x, p += kBytesPerPixel) {
            Put(p, BandColour(x, y));
        }
    }

    Rgb BandColour(std::int32_t x, std::int32_t y) const
    {
        // Steps out from the inside (1 = touching it) and in from the edge.
        const std::int32_t outX = std::max({insideLeft_ - x, x - insideRight_ + 1, 0});
        const std::int32_t outY = std::max({insideTop_ - y, y - insideBottom_ + 1, 0});
        const std::int32_t fromInside = std::max(outX, outY);
        const std::int32_t cornerX = std::min(x, width_ - 1 - x);
        const std::int32_t cornerY = std::min(y, height_ - 1 - y);
        const std::int32_t fromEdge = std::min(cornerX, cornerY);

        Rgb c = fromInside <= shade_
                    ? Mix(kShadeDark, kShadeLight, shade_ + 1 - fromInside, shade_ + 1)
                    : kRamp[std::min(fromEdge, kRampLength - 1)];

        const std::int32_t cornerDistance = cornerX + cornerY;
        if (cornerDistance < kCornerReach) {
            const std::int32_t near = kCornerReach - cornerDistance;
            c = Mix(c, kCornerLight, near * near, kCornerReach * kCornerReach);
        }
        return c;
    }

    std::int32_t width_, height_;
    std::int32_t insideLeft_, insideRight_, insideTop_, insideBottom_;
    std::int32_t shade_;
};

} // namespace

platform::Bitmap MakeFrameArt(std::int32_t width, std::int32_t height, BandWidths band)
{
    platform::Bitmap art(width, height, 24, platform::Bitmap::RowOrder::TopDown);
    if (art.IsEmpty()) {
        return art;
    }
    const Painter painter(art.Width(), art.Height(), band);
    const std::int32_t plainFrom = painter.PlainRowsFrom();
    const std::int32_t plainTo = art.Height() - plainFrom;
    for (std::int32_t y = 0; y < art.Height(); ++y) {
        if (y > plainFrom && y < plainTo) {
            std::memcpy(art.DisplayRow(y), art.DisplayRow(plainFrom),
                        std::size_t(art.BytesPerRow()));
        } else {
            painter.PaintRow(y, art.DisplayRow(y));
        }
    }
    // The key colour the window shape is cut with.
    std::memset(art.DisplayRow(0), 0xFF, kBytesPerPixel);
    return art;
}

} // namespace assets
