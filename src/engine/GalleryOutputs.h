// The files that make up a gallery, as its newest build recorded them: what is published is
// the gallery, not whatever else lies in its folder.
#pragma once

#include <optional>
#include <string>

#include "base/TStringList.h"

namespace fsc {

// Every file the newest build of `gallery` (its HTML file path) produced, written or found
// as it would write it, as recorded in its history in `historyRoot`: pages, copies,
// thumbnails, collage pictures and the template's files. Nothing when the gallery has no
// history (undone, forgotten, or built by an older version) or its newest build recorded
// no files (it died before the end). Raises EFSC_Exception when the history is damaged.
std::optional<TStringList> GalleryOutputs(const std::string& historyRoot,
                                          const std::string& gallery);

}  // namespace fsc
