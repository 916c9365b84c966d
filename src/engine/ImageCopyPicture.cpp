// Shrinking and watermarking one image copy.
#include "engine/ImageCopyPicture.h"

#include "base/Text.h"
#include "imaging/Resize.h"
#include "imaging/Watermark.h"

namespace fsc {

bool IsJpegName(const std::string& fileName) {
    const std::string upper = UpperCase(fileName);
    return EndsWith(upper, ".JPG") || EndsWith(upper, ".JPEG");
}

TSize CopySize(const TFSC_Images& images, TSize source) {
    if (!images.ResizeImages) return source;
    // A picture whose width the limit keeps is not resized at all.
    const TSize limited =
        LimitSize(source.Width, source.Height, images.ResizeWidth, images.ResizeHeight);
    return limited.Width != source.Width ? limited : source;
}

bool CopyIsModified(const TFSC_Images& images, TSize source) {
    return images.Watermark || CopySize(images, source).Width != source.Width;
}

TBitmap CopyPictureFrom(TBitmap decoded, TSize copySize, const TFSC_Images& images,
                        ITextRasteriser& rasteriser) {
    TBitmap picture = copySize.Width != decoded.Width || copySize.Height != decoded.Height
                          ? ResizeBy(images.ResizeMethod, decoded, copySize.Width, copySize.Height)
                          : std::move(decoded);
    if (images.Watermark) {
        Stamp(picture, images.WatermarkText, images.WatermarkPositions, images.WatermarkAdjustSize,
              images.WatermarkFont, images.WatermarkTransparency, rasteriser);
    }
    return picture;
}

}  // namespace fsc
