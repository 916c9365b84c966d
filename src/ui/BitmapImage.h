// The program's bitmaps shown in Qt widgets.
#pragma once

#include <QImage>
#include <algorithm>

#include "imaging/TBitmap.h"

namespace fsc {

// A copy, so the image outlives the bitmap; empty for an empty bitmap.
inline QImage ToImage(const TBitmap& picture) {
    if (picture.Empty()) return {};
    return QImage(picture.Pixels.data(), picture.Width, picture.Height, qsizetype(picture.Stride()),
                  QImage::Format_RGB888)
        .copy();
}

// The image's pixels as the program's bitmap, which has no alpha channel.
inline TBitmap FromImage(const QImage& image) {
    if (image.isNull()) return {};
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    TBitmap picture(rgb.width(), rgb.height());
    for (int y = 0; y < rgb.height(); ++y)
        std::copy_n(rgb.constScanLine(y), picture.Stride(), picture.Row(y));
    return picture;
}

}  // namespace fsc
