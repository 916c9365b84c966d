// Making the extra files of one picture (PictureVariants.h) from the pictures the image step
// has already decoded or made: nothing is read from disk again.
#pragma once

#include <string>
#include <vector>

#include "engine/PictureVariants.h"
#include "imaging/TBitmap.h"

namespace fsc {

struct TVariantFile {
    std::string Name;
    std::string Bytes;
};

// The copy's variants from the finished copy (resized and stamped): the steps are shrunk from
// it, so they carry the watermark too. quality is the copy's JPEG quality.
std::vector<TVariantFile> MakeCopyVariants(const TBitmap& copy,
                                           const std::vector<TVariant>& variants, int quality,
                                           const TFSC_Images& images);

// The thumbnail's variants: the larger scales resized from `decoded` (the source at the
// largest scale's size or more), the 1x ones encoded from `thumbnail` itself.
std::vector<TVariantFile> MakeThumbVariants(const TBitmap& decoded, const TBitmap& thumbnail,
                                            const std::vector<TVariant>& variants, int quality,
                                            const TFSC_Images& images);

// The size a decode must reach for every variant in `variants` (the largest resize target).
TSize LargestVariant(const std::vector<TVariant>& variants);

}  // namespace fsc
