// Sizing and naming one thumbnail.
#include "engine/ThumbnailPicture.h"

#include <algorithm>

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

TSize ThumbnailFileSize(const TFSC_Images& images, TSize sized) {
    // A side the sizing rule truncated to 0 is written 1 pixel wide.
    TSize file{std::max(1, sized.Width), std::max(1, sized.Height)};
    if (images.ThumbSizeMode == TThumbSizeMode::hardLimit) {
        file.Width = std::clamp(images.ThumbWidth, 1, file.Width);
        file.Height = std::clamp(images.ThumbHeight, 1, file.Height);
    }
    return file;
}

TBitmap ThumbnailPictureFrom(const TBitmap& decoded, TSize sized, const TFSC_Images& images) {
    if (images.ThumbSizeMode == TThumbSizeMode::hardLimit) {
        return ResizeAndCutBy(images.ResizeMethod, decoded, sized.Width, sized.Height,
                              images.ThumbWidth, images.ThumbHeight);
    }
    return ResizeBy(images.ResizeMethod, decoded, sized.Width, sized.Height);
}

std::string ThumbnailName(const std::string& name, const std::string& suffix,
                          bool imagesAreThumbs) {
    if (imagesAreThumbs) return name;
    const std::string stem = name.substr(0, name.size() < 4 ? 0 : name.size() - 4);
    return stem + (suffix.empty() ? "_th" : suffix) + ".jpg";
}

bool ThumbnailIsCurrent(const TThumbnail& thumb, const TFSC_Images& images, int method, int quality,
                        bool fileExists) {
    return fileExists && thumb.ThumbTime > 0 && thumb.ThumbBoxWidth == images.ThumbWidth &&
           thumb.ThumbBoxHeight == images.ThumbHeight && thumb.ThumbMethod == method &&
           thumb.ThumbQuality == quality;
}

}  // namespace fsc
