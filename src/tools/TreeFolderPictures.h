// Which files of a folder become the pictures of its directory-tree gallery.
#pragma once

#include <string>

#include "base/TStringList.h"

namespace fsc {

// The thumbnails of earlier runs carry this in their names and are never taken as pictures.
inline constexpr const char* TreeThumbnailMark = "_fsc_th.";

// The files of `folder` named "*.jpg", then "*.jpeg", "*.png" and "*.bmp" (the extension in
// any case), each group in name order, each file once. Left out: blank names, thumbnails of
// earlier runs, and the placeholder picture with the JPEG copy an earlier run made of it,
// so that a second run over the same tree gives the same galleries.
TStringList TreeFolderPictures(const std::string& folder);

// Thumbnails of earlier runs, the placeholder picture and the placeholder's JPEG copy.
bool IsTreeToolFile(const std::string& name);

}  // namespace fsc
