// The names of a directory-tree gallery's images. Their copies are written beside the
// originals, so a name decides which file of the folder a copy replaces.
#pragma once

#include "base/TStringList.h"
#include "engine/TThumbnail.h"

namespace fsc {

// For the image just added (the list's last): a JPEG file whose name differs from its image
// name only in the extension's spelling ("IMG_1.JPG", "photo.jpeg") gives the image its own
// file name, so the picture is its own copy and nothing is written beside it; any other name that
// another image or another file of `folderFiles` already has (in any case) gets "_2", "_3", ...
// before its extension, so that no copy ever replaces another original. The link follows the name.
void KeepCopyOffOtherFiles(TThumbnailArray& images, const TStringList& folderFiles);

// `wanted`, or with "_2", "_3", ... before its extension while another image than the list's
// last or a file of `folderFiles` already has that name (in any case).
std::string FreeImageName(const TThumbnailArray& images, const TStringList& folderFiles,
                          const std::string& wanted);

}  // namespace fsc
