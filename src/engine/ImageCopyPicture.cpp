// Loading, shrinking and watermarking one image copy.
#include "engine/ImageCopyPicture.h"

#include "base/Text.h"
#include "engine/LoadSourcePicture.h"
#include "imaging/ImageFitting.h"
#include "imaging/Resize.h"
#include "imaging/Watermark.h"

namespace fsc {

bool IsJpegName(const std::string& fileName) {
    const std::string upper = UpperCase(fileName);
    return EndsWith(upper, ".JPG") || EndsWith(upper, ".JPEG");
}

TCopyPicture MakeCopyPicture(const std::string& fileName, const TFSC_Images& images,
                             ITextRasteriser& rasteriser, IMessages* messages) {
    TCopyPicture copy;
    copy.SourceIsJpeg = IsJpegName(fileName);
    copy.Picture = LoadSourcePicture(fileName, messages);
    if (images.ResizeImages) {
        const TSize size = LimitSize(copy.Picture.Width, copy.Picture.Height, images.ResizeWidth,
                                     images.ResizeHeight);
        if (size.Width != copy.Picture.Width) {
            copy.Picture = Resize(copy.Picture, size.Width, size.Height);
            copy.Modified = true;
        }
    }
    if (images.Watermark) {
        copy.Modified = true;
        Stamp(copy.Picture, images.WatermarkText, images.WatermarkPositions,
              images.WatermarkAdjustSize, images.WatermarkFont, images.WatermarkTransparency,
              rasteriser);
    }
    return copy;
}

}  // namespace fsc
