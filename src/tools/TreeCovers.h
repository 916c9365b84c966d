// The covers of the directory-tree galleries: the pictures the tool copies into a folder
// without pictures of its own, one for each subfolder gallery. A cover is named after its
// subfolder, so only its folder's list tells it from a picture of the user's.
#pragma once

#include <set>
#include <string>

#include "base/TStringList.h"
#include "engine/TThumbnail.h"

namespace fsc {

// Each folder's list of the covers in it: one line a cover, its name and its size in bytes,
// separated by a tab.
inline constexpr const char* TreeCoversFileName = ".folioscope-covers";

// The names of the covers listed in `folder` that are still as the tool left them: the file
// has the listed size. A picture of the user's that later took such a name is not one.
std::set<std::string> TreeOwnCovers(const std::string& folder);

// The lines of the cover list of `folder` after a build of `images` there, the covers when
// `imagesAreCovers`. The covers of earlier runs (`earlier`) stay listed, also when the folder
// now shows pictures of its own, so that they are never taken for pictures; one that the
// build wrote another image over is no longer a cover.
TStringList TreeCoversLines(const std::string& folder, const std::set<std::string>& earlier,
                            const TThumbnailArray& images, bool imagesAreCovers);

}  // namespace fsc
