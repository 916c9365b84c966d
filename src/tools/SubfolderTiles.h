// The tiles of a folder without pictures of its own: one for each subfolder gallery, showing
// the subfolder's first thumbnail and leading to the subfolder's page.
#pragma once

#include <string>

#include "base/TStringList.h"
#include "engine/TThumbnail.h"

namespace fsc {

// A gallery made in a subfolder, as its parent's page shows it.
struct TSubfolderGallery {
    // The subfolder's name.
    std::string Name;
    // The picture the tile shows: the path of the subfolder's first thumbnail, which is
    // thumbnail-sized, so the cover made of it is small.
    std::string Cover;
};

// Appends the tile of `gallery` to `images`. Its copy, the cover, takes the subfolder's name
// ("Zürich trip" gives "Zürich_trip.jpg", so that the caption reads "Zürich trip"), with
// "_2", "_3", ... when another image or a file of `folderFiles` has that name already. The
// hint, and so the alt text, is the name as HTML text; the link goes to the page `pageName`
// in the subfolder, percent-encoded. Without a page name (no navigation between the folders)
// the tile leads to its picture, as any other. Returns false, adding nothing, when the cover
// is gone.
bool AddSubfolderTile(TThumbnailArray& images, const TStringList& folderFiles,
                      const TSubfolderGallery& gallery, const std::string& pageName);

}  // namespace fsc
