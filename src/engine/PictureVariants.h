// The extra files of one picture, by name and size: its thumbnail at two and three times the
// box, its copy at the steps below its own size, and WebP and AVIF of each. The image step
// makes them from these lists and the pages' tags name them from the same lists, so a page
// never points at a file the build did not make.
#pragma once

#include <string>
#include <vector>

#include "engine/TFSC_Images.h"
#include "imaging/ImageFitting.h"

namespace fsc {

enum class TVariantFormat { Jpeg, Webp, Avif };

struct TVariant {
    // The file's name in the image directory.
    std::string Name;
    TVariantFormat Format = TVariantFormat::Jpeg;
    // The size the picture is resized to, and the size of the file: they differ for
    // thumbnails in hard-limit mode, which are cut to their box.
    TSize Sized;
    TSize Size;
    // Thumbnails: 1, 2 or 3 times the box. Copies: 0.
    int Scale = 0;
    // The box a hard-limit thumbnail is cut to.
    TSize Box;
};

// The longest sides of the smaller copies a page may offer to small screens.
inline constexpr int CopyStepSides[] = {640, 1280, 1920, 2560};

// The JPEG copies below `copy`, smallest first: each step shorter on its longest side than
// the copy itself, shrunk to it by the limit rule.
std::vector<TVariant> CopyStepVariants(const std::string& name, TSize copy);

// The thumbnails at 2 and 3 times the box, each only when the source fills it (it is the
// 1x thumbnail's size times the scale, give or take rounding) and so is no larger than the
// source in either direction.
std::vector<TVariant> ThumbScaleVariants(const TFSC_Images& images, const std::string& thumbName,
                                         TSize source);

// Every extra file of a copy of size `copy` that the settings ask for: the steps, then
// WebP and AVIF of each step and of the copy, smallest first. Empty without a size, or when
// the choice leaves the copies out.
std::vector<TVariant> CopyVariants(const TFSC_Images& images, const std::string& name, TSize copy);

// Every extra file of a thumbnail of a source of size `source`: the larger scales, then
// WebP and AVIF of the thumbnail and of each scale. Empty with "Images = Thumbnails".
std::vector<TVariant> ThumbVariants(const TFSC_Images& images, const std::string& thumbName,
                                    TSize source);

// `name` with "-" + tag before its extension, and the extension of `format` (a JPEG keeps
// its own): photo.jpg, "640", WebP gives photo-640.webp; an empty tag adds nothing.
std::string VariantName(const std::string& name, const std::string& tag, TVariantFormat format);

// "image/jpeg", "image/webp", "image/avif".
const char* VariantMimeType(TVariantFormat format);

}  // namespace fsc
