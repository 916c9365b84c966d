// The tags that offer a picture's extra files to the browser: THUMBSRCSET, IMAGESRCSET,
// IMAGESIZES, THUMBSOURCES and IMAGESOURCES, for thumbnail cells and image pages.
#pragma once

#include <string>

#include "engine/TFSC_Images.h"
#include "engine/TThumbnail.h"

namespace fsc {

// Replaces the five tags in `text` for the picture `thumb`, whose files lie in `dir` as seen
// from the page ("images/" in a cell, "" on its image page). Each list names only the files
// the build's choice (images.Variants) makes and the image step found in place
// (HasCopyVariants, HasThumbVariants): without them a srcset holds the one JPEG and the
// sources are empty, so a <picture> shows the JPEG.
std::string ApplyVariantTags(std::string text, const TThumbnail& thumb, const std::string& dir,
                             const TFSC_Images& images);

}  // namespace fsc
