// The per-image work of the thumbnail step: a function of the source file and the settings
// only, so that images can later be made side by side.
#pragma once

#include <string>

#include "base/IMessages.h"
#include "engine/TFSC_Images.h"
#include "imaging/ImageFitting.h"

namespace fsc {

// The code kept in ThumbMethod: 0 limit, 1 hard limit, 2 stretch, 3 fit.
int ThumbMethodCode(TThumbSizeMode mode);

// The thumbnail size of a width x height source in the settings' box by the sizing mode.
TSize ThumbnailSize(TThumbSizeMode mode, int width, int height, int boxWidth, int boxHeight);

struct TThumbnailPicture {
    int ImageWidth = 0;
    int ImageHeight = 0;
    // By the sizing mode; in hard-limit mode larger than the box, which the file is cut to.
    TSize Size;
    // Baseline JPEG bytes; empty when no encoding was asked for.
    std::string Jpeg;
};

// Loads the source, sizes it against the thumbnail box and, when `encode` is set, resizes
// it (cut to the box in hard-limit mode) and encodes it at `quality`. Raises EFSC_Exception
// naming the file when it cannot be loaded, or the sizing rule's "Size was 0 at ..." for a
// picture without pixels.
TThumbnailPicture MakeThumbnail(const std::string& fileName, const TFSC_Images& images, int quality,
                                bool encode, IMessages* messages);

}  // namespace fsc
