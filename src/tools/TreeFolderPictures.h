// Which files of a folder become the pictures of its directory-tree gallery.
#pragma once

#include <set>
#include <string>

#include "app/TreeToolFiles.h"
#include "base/TStringList.h"
#include "engine/TThumbnail.h"

namespace fsc {

// Each folder's list of the picture copies the tool wrote beside their originals (a converted
// "drawing.bmp" as "drawing.jpg", "my photo.jpg" as "my_photo.jpg"): one line a copy, its
// name, its original's name and its size in bytes, separated by tabs.
inline constexpr const char* TreeCopiesFileName = ".folioscope-copies";

// The files of `folder` named "*.jpg", then "*.jpeg", "*.png", "*.bmp" and the formats of
// phones, scanners, the web and cameras (GIF, TIFF, WebP, HEIF, AVIF, raw), the extension in
// any case, each group in name order, each file once; a raw file only when no picture of the
// same name stands beside it, as cameras save both. Left out: blank names, thumbnails of
// earlier runs, the placeholder picture with the JPEG copy an earlier run made of it, and
// the copies and covers of earlier runs (TreeOwnCopies, TreeOwnCovers), so that a second run
// over the same tree gives the same galleries.
TStringList TreeFolderPictures(const std::string& folder);

// The names of the copies an earlier run listed in `folder` that are still what it wrote:
// the copy has the listed size and its original is still there. A file of the user's that
// merely took such a name later is not one of them.
std::set<std::string> TreeOwnCopies(const std::string& folder);

// The lines of the copy list of `folder` after a build of `images` there: one for each image
// of the folder whose copy was written under another name than its file's.
TStringList TreeCopiesLines(const std::string& folder, const TThumbnailArray& images);

}  // namespace fsc
