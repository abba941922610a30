#pragma once

#include "platform/Bitmap.h"

#include <QImage>
#include <QPainter>
#include <QRect>

namespace platform::qt
{

// A QImage over a bitmap's own memory, without a copy: what is written into
// the bitmap is what the next paint shows. Bottom-up bitmaps are wrapped with
// their storage order and painted mirrored.
inline QImage WrapBitmap(const Bitmap& bitmap)
{
    if (bitmap.IsEmpty())
        return {};
    const QImage::Format format =
        bitmap.BitsPerPixel() == 32 ? QImage::Format_ARGB32 : QImage::Format_BGR888;
    return QImage(bitmap.Bits(), bitmap.Width(), bitmap.Height(), bitmap.BytesPerRow(), format);
}

inline void PaintBitmap(QPainter& painter, const QPoint& at, const Bitmap& bitmap)
{
    const QImage image = WrapBitmap(bitmap);
    if (image.isNull())
        return;
    if (bitmap.Order() == Bitmap::RowOrder::TopDown) {
        painter.drawImage(at, image);
        return;
    }
    painter.save();
    painter.translate(at.x(), at.y() + bitmap.Height());
    painter.scale(1, -1);
    painter.drawImage(QPoint(0, 0), image);
    painter.restore();
}

// A copy, for the few places that keep an image of their own (pointers, icon).
inline QImage CopyOfBitmap(const Bitmap& bitmap)
{
    QImage image = WrapBitmap(bitmap).copy();
    if (bitmap.Order() == Bitmap::RowOrder::BottomUp)
        image = image.mirrored(false, true);
    return image;
}

} // namespace platform::qt
