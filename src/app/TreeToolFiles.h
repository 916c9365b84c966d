// The files the directory-tree tool writes beside the pictures that are known by their names
// alone. Adding a folder passes them over as the tool itself does, so a folder it worked in
// gives the same pictures to any gallery.
#pragma once

#include <string>

namespace fsc {

// The thumbnails of earlier runs carry this in their names and are never taken as pictures;
// so do their larger sizes and other formats, which follow it with "-" ("_fsc_th-2x.jpg").
inline constexpr const char* TreeThumbnailMark = "_fsc_th.";
inline constexpr const char* TreeThumbnailVariantMark = "_fsc_th-";

// The tiny stand-in picture of the directory-tree galleries (see tools/PlaceholderPicture.h).
inline constexpr const char* PlaceholderPictureName = "fsc_bmp.bmp";

// Thumbnails of earlier runs, the placeholder picture and the placeholder's JPEG copy.
bool IsTreeToolFile(const std::string& name);

}  // namespace fsc
