// The hicolor icons the package installs, read back from the PNG files the
// build wrote: every size a desktop looks for is there, and each is the window
// icon's pixel art with every art pixel a whole, equal block.

#include "assets/Cursors.h"
#include "assets/WindowIcon.h"

#include "platform/Bitmap.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QString>

#include <cstdint>

namespace
{

// The sizes desktops ask for; 48 x 48 is the one they all fall back on.
constexpr int kSizes[] = {16, 32, 48, 64, 128, 256};

QString IconFile(int size)
{
    return QStringLiteral("%1/%2x%2/apps/%3.png")
        .arg(QStringLiteral(RB_ICON_DIR))
        .arg(size)
        .arg(QStringLiteral(RB_APP_ID));
}

TEST(HicolorIcons, EachSizeIsTheWindowIconEnlargedByAWholeFactor)
{
    const platform::Bitmap art = assets::ToBitmap(assets::WindowIcon());
    ASSERT_EQ(art.Width(), 16);
    ASSERT_EQ(art.Height(), 16);
    for (const int size : kSizes) {
        SCOPED_TRACE(testing::Message() << size << " x " << size);
        QImage image(IconFile(size));
        ASSERT_FALSE(image.isNull()) << IconFile(size).toStdString() << " does not load";
        ASSERT_EQ(image.width(), size);
        ASSERT_EQ(image.height(), size);
        ASSERT_TRUE(image.hasAlphaChannel());
        image = image.convertToFormat(QImage::Format_ARGB32);

        const int factor = size / 16;
        int wrong = 0;
        for (int y = 0; y < size && wrong < 5; ++y) {
            for (int x = 0; x < size && wrong < 5; ++x) {
                const std::uint8_t* p = art.DisplayRow(y / factor) + 4 * (x / factor);
                const QRgb want = qRgba(p[2], p[1], p[0], p[3]);
                const QRgb got = image.pixel(x, y);
                // Fully transparent pixels may carry any colour.
                if (qAlpha(want) == 0 ? qAlpha(got) != 0 : got != want) {
                    ADD_FAILURE() << "pixel (" << x << ", " << y << ") is " << std::hex << got
                                  << ", the art has " << want;
                    ++wrong;
                }
            }
        }
    }
}

TEST(HicolorIcons, ColoursAreTheArtsLettersNotSwappedChannels)
{
    // Row 5 of the art starts "KLKC": black frame, light grey, black, cyan.
    const struct {
        int x, y;
        QRgb colour;
    } kPixels[] = {
        {0, 0, qRgba(0, 0, 0, 0)},
        {0, 5, qRgba(0, 0, 0, 255)},
        {1, 5, qRgba(192, 192, 192, 255)},
        {3, 5, qRgba(0, 255, 255, 255)},
    };
    for (const int size : {16, 256}) {
        const QImage image = QImage(IconFile(size)).convertToFormat(QImage::Format_ARGB32);
        ASSERT_FALSE(image.isNull()) << size;
        const int factor = size / 16;
        for (const auto& pixel : kPixels) {
            // The last screen pixel of the block: off-by-one scaling shows there.
            const int x = pixel.x * factor + factor - 1, y = pixel.y * factor + factor - 1;
            EXPECT_EQ(qAlpha(image.pixel(x, y)), qAlpha(pixel.colour))
                << size << " @" << x << "," << y;
            if (qAlpha(pixel.colour) != 0) {
                EXPECT_EQ(image.pixel(x, y), pixel.colour) << size << " @" << x << "," << y;
            }
        }
    }
}

} // namespace
