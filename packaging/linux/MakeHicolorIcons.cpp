// Writes the program's window icon as hicolor theme icons: the 16 x 16 pixel
// art itself and the same art with every pixel repeated for each larger size,
// so the big icons stay as crisp as the small one.
//
//     make_hicolor_icons OUT-DIR ICON-NAME SIZE...
//
// writes OUT-DIR/<SIZE>x<SIZE>/apps/ICON-NAME.png for every SIZE, which must
// be a whole multiple of the art's size.

#include "assets/Cursors.h"
#include "assets/WindowIcon.h"

#include "platform/Bitmap.h"

#include <QDir>
#include <QImage>
#include <QString>

#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace
{

// Each art pixel becomes a factor x factor block. The bitmap is blue, green,
// red, alpha; QImage wants 0xAARRGGBB, not premultiplied.
QImage Enlarged(const platform::Bitmap& art, int factor)
{
    QImage image(art.Width() * factor, art.Height() * factor, QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        const std::uint8_t* row = art.DisplayRow(y / factor);
        auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const std::uint8_t* p = row + 4 * (x / factor);
            out[x] = qRgba(p[2], p[1], p[0], p[3]);
        }
    }
    return image;
}

bool ParseSize(const char* text, int& size)
{
    const char* end = text + std::strlen(text);
    const auto [ptr, ec] = std::from_chars(text, end, size);
    return ec == std::errc() && ptr == end && size > 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 4) {
        std::fprintf(stderr, "usage: make_hicolor_icons OUT-DIR ICON-NAME SIZE...\n");
        return 2;
    }
    const QString outDir = QString::fromLocal8Bit(argv[1]);
    const QString name = QString::fromLocal8Bit(argv[2]);
    const platform::Bitmap art = assets::ToBitmap(assets::WindowIcon());
    if (art.Width() != art.Height()) {
        std::fprintf(stderr, "make_hicolor_icons: the window icon is not square\n");
        return 1;
    }
    for (int i = 3; i < argc; ++i) {
        int size = 0;
        if (!ParseSize(argv[i], size) || size % art.Width() != 0) {
            std::fprintf(stderr, "make_hicolor_icons: %s is not a multiple of %d\n", argv[i],
                         art.Width());
            return 2;
        }
        const QString dir = QStringLiteral("%1/%2x%2/apps").arg(outDir).arg(size);
        const QString file = QStringLiteral("%1/%2.png").arg(dir, name);
        if (!QDir().mkpath(dir) || !Enlarged(art, size / art.Width()).save(file, "PNG")) {
            std::fprintf(stderr, "make_hicolor_icons: cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
