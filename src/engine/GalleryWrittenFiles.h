// What gallery builds wrote into a folder, as the records they keep on disk tell it. Adding a
// folder's pictures passes these files over, so a gallery built into its own photo folder does
// not take its copies, thumbnails and collage pictures for photos when it is built again.
#pragma once

#include <set>
#include <string>

namespace fsc {

// The names of the files directly in `folder` that builds wrote: copies and thumbnails the
// image cache in `cacheFolder` knows that are still as written, and what the undo histories in
// `historyRoot` list as made where nothing was before, and as collage pictures. A file a build
// replaced is the user's own original when a copy went onto itself, so it counts only as a
// collage picture. An empty folder name reads nothing of that record; a damaged history is
// passed over.
std::set<std::string> GalleryWrittenFiles(const std::string& folder, const std::string& historyRoot,
                                          const std::string& cacheFolder);

}  // namespace fsc
