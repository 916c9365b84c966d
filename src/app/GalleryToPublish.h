// A built gallery as an upload or a sync sends it: the folder it was built into, its HTML
// file there and which files are its pages. The desktop program and the command line
// publish the same gallery the same way.
#pragma once

#include <optional>
#include <string>

#include "app/Workspace.h"
#include "base/TStringList.h"
#include "options/ProgramOptions.h"

namespace fsc {

struct TGalleryToPublish {
    std::string HTMLDir;
    // The gallery's HTML file, full path.
    std::string GalleryFile;
    // The same below HTMLDir, "/" between the levels: the page that goes live last.
    std::string TopPage;
    // Page extensions without the dot: the program's HTML extensions and its default one.
    TStringList PageExtensions;
    // Where the build histories lie; "" for nowhere.
    std::string HistoryFolder;
};

// The gallery whose HTML file is `galleryFile` in `htmlDir`, with the page extensions of
// `options` and the histories in `historyFolder`.
TGalleryToPublish GalleryToPublish(const std::string& htmlDir, const std::string& galleryFile,
                                   const ProgramOptions& options, const std::string& historyFolder);

// The gallery the workspace's last build wrote, in the folder it wrote it into: the folder and
// file fields may have changed for the next gallery since. None when no build computed a
// gallery (only the settings were prepared for a template or a project); a build with "no
// HTML, only images" still has its pictures to send.
std::optional<TGalleryToPublish> LastBuiltGallery(const Workspace& ws);

// Every file the gallery's newest build recorded, so that a publish sends the gallery and
// not whatever else lies in its folder. None without a history of it. EFSC_Exception when
// the history is damaged.
std::optional<TStringList> RecordedOutputs(const TGalleryToPublish& gallery);

}  // namespace fsc
