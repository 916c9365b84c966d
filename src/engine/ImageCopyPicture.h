// The picture of one image copy: the source shrunk by the limit rule and stamped with the
// watermark; a function of the source and the settings only, so images can be made side by side.
#pragma once

#include <string>

#include "base/ITextRasteriser.h"
#include "engine/TFSC_Images.h"
#include "imaging/ImageFitting.h"
#include "imaging/TBitmap.h"

namespace fsc {

// By the name: ".JPG" or ".JPEG" at the end, in any case.
bool IsJpegName(const std::string& fileName);

// The copy's size for a source of `source` size: shrunk by the limit rule when resizing is on
// (a -1 limit is none), else the source's own.
TSize CopySize(const TFSC_Images& images, TSize source);
// Resized or watermarked: the source's own bytes will not do.
bool CopyIsModified(const TFSC_Images& images, TSize source);

// The copy from `decoded`, the source at `copySize` or larger: resized to copySize by the
// gallery's method when it differs, then stamped when the watermark is on.
TBitmap CopyPictureFrom(TBitmap decoded, TSize copySize, const TFSC_Images& images,
                        ITextRasteriser& rasteriser);

}  // namespace fsc
