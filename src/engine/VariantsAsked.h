// Which extra files of each picture a build makes: only those its pages name. A template that
// does not use the srcset and sources tags gets the copies and thumbnails it always got.
#pragma once

#include "engine/TBuildContext.h"

namespace fsc {

// The choice for this build's pages: the larger thumbnails when a page text or scheme has
// "<!-THUMBSRCSET->", the copy steps with "<!-IMAGESRCSET->", WebP and AVIF when their
// setting is on and a page has "<!-THUMBSOURCES->" or "<!-IMAGESOURCES->"; the copies' only
// while images.CopyVariants is on. Nothing without pages ("no HTML, only images").
TVariantChoice VariantsAsked(const TBuildContext& context);

}  // namespace fsc
