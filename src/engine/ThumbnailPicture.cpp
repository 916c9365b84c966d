// Sizing and encoding one thumbnail.
#include "engine/ThumbnailPicture.h"

#include "engine/LoadSourcePicture.h"
#include "imaging/JpegWriter.h"
#include "imaging/Resize.h"

namespace fsc {

int ThumbMethodCode(TThumbSizeMode mode) {
    switch (mode) {
        case TThumbSizeMode::hardLimit:
            return 1;
        case TThumbSizeMode::stretch:
            return 2;
        case TThumbSizeMode::fit:
            return 3;
        default:
            return 0;
    }
}

TSize ThumbnailSize(TThumbSizeMode mode, int width, int height, int boxWidth, int boxHeight) {
    switch (mode) {
        case TThumbSizeMode::hardLimit:
            return HardLimitSize(width, height, boxWidth, boxHeight);
        case TThumbSizeMode::stretch:
            return StretchSize(width, height, boxWidth, boxHeight);
        case TThumbSizeMode::fit:
            return FitSize(width, height, boxWidth, boxHeight);
        default:
            return LimitSize(width, height, boxWidth, boxHeight);
    }
}

TThumbnailPicture MakeThumbnail(const std::string& fileName, const TFSC_Images& images, int quality,
                                bool encode, IMessages* messages) {
    const TBitmap source = LoadSourcePicture(fileName, messages);
    TThumbnailPicture thumb;
    thumb.ImageWidth = source.Width;
    thumb.ImageHeight = source.Height;
    thumb.Size = ThumbnailSize(images.ThumbSizeMode, source.Width, source.Height, images.ThumbWidth,
                               images.ThumbHeight);
    if (!encode) return thumb;
    const TBitmap picture = images.ThumbSizeMode == TThumbSizeMode::hardLimit
                                ? ResizeAndCut(source, thumb.Size.Width, thumb.Size.Height,
                                               images.ThumbWidth, images.ThumbHeight)
                                : Resize(source, thumb.Size.Width, thumb.Size.Height);
    thumb.Jpeg = EncodeJpeg(picture, quality, false);
    return thumb;
}

}  // namespace fsc
