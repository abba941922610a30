#include "platform/win32/Icons.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace platform::win32
{

namespace
{

HICON FromBitmap(const Bitmap& image, int scale, bool icon, int hotX, int hotY)
{
    if (image.IsEmpty() || scale < 1 || (image.BitsPerPixel() != 32 && image.BitsPerPixel() != 24))
        return nullptr;
    const int width = image.Width() * scale;
    const int height = image.Height() * scale;

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP colour = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!colour)
        return nullptr;

    // The mask: one bit a pixel, set where the screen shows through; rows of
    // whole 16-bit words.
    const int maskStride = ((width + 15) / 16) * 2;
    std::vector<std::uint8_t> mask(std::size_t(maskStride) * std::size_t(height), 0);
    auto* out = static_cast<std::uint8_t*>(bits);
    const int bytesPerPixel = image.BitsPerPixel() / 8;
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* row = image.DisplayRow(y / scale);
        for (int x = 0; x < width; ++x, out += 4) {
            const std::uint8_t* p = row + std::ptrdiff_t(x / scale) * bytesPerPixel;
            const std::uint8_t alpha = bytesPerPixel == 4 ? p[3] : 0xFF;
            out[0] = p[0];
            out[1] = p[1];
            out[2] = p[2];
            out[3] = alpha;
            if (alpha == 0)
                mask[std::size_t(y * maskStride + x / 8)] |= std::uint8_t(0x80u >> (x % 8));
        }
    }
    HBITMAP maskBitmap = CreateBitmap(width, height, 1, 1, mask.data());

    ICONINFO iconInfo{};
    iconInfo.fIcon = icon ? TRUE : FALSE;
    iconInfo.xHotspot = DWORD(std::max(hotX, 0) * scale);
    iconInfo.yHotspot = DWORD(std::max(hotY, 0) * scale);
    iconInfo.hbmMask = maskBitmap;
    iconInfo.hbmColor = colour;
    HICON result = maskBitmap ? CreateIconIndirect(&iconInfo) : nullptr;
    // The icon keeps copies of both.
    DeleteObject(colour);
    if (maskBitmap)
        DeleteObject(maskBitmap);
    return result;
}

} // namespace

HICON MakeIcon(const Bitmap& image, int scale)
{
    return FromBitmap(image, scale, true, 0, 0);
}

HCURSOR MakeCursor(const Bitmap& image, int hotX, int hotY)
{
    return FromBitmap(image, 1, false, hotX, hotY);
}

} // namespace platform::win32
