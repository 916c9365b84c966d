// The program's bitmaps shown in Qt widgets.
#pragma once

#include <QImage>

#include "imaging/TBitmap.h"

namespace fsc {

// A copy, so the image outlives the bitmap; empty for an empty bitmap.
inline QImage ToImage(const TBitmap& picture) {
    if (picture.Empty()) return {};
    return QImage(picture.Pixels.data(), picture.Width, picture.Height, qsizetype(picture.Stride()),
                  QImage::Format_RGB888)
        .copy();
}

}  // namespace fsc
