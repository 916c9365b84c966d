// The per-image work of the copy step: a function of the source file and the settings only,
// so that images can later be made side by side.
#pragma once

#include <string>

#include "base/IMessages.h"
#include "base/ITextRasteriser.h"
#include "engine/TFSC_Images.h"
#include "imaging/TBitmap.h"

namespace fsc {

struct TCopyPicture {
    TBitmap Picture;
    // By the name: ".JPG" or ".JPEG" at the end, in any case.
    bool SourceIsJpeg = false;
    // Resized or watermarked, so the source's own bytes will not do.
    bool Modified = false;
};

bool IsJpegName(const std::string& fileName);

// Loads the source, shrinks it by the limit rule when resizing is on (a -1 limit is none)
// and stamps the watermark when it is on. Raises the loader's EFSC_Exception for a missing
// or undecodable file, naming it.
TCopyPicture MakeCopyPicture(const std::string& fileName, const TFSC_Images& images,
                             ITextRasteriser& rasteriser, IMessages* messages);

}  // namespace fsc
