// What the FTP window sends of the gallery the last build wrote: the upload job's lists for
// "Upload", the files in sending order for "Sync".
#pragma once

#include <optional>
#include <vector>

#include "app/GalleryToPublish.h"
#include "app/Workspace.h"
#include "ftp/GalleryUpload.h"
#include "ftp/SyncPlan.h"

namespace fsc {

// What "Upload" sends: the pages, images, collage pictures and template files of the last
// build, read from the folder that build wrote to. Nothing when no build made pages in this
// run. The caller adds the remote subdirectory, the WWW address and the remote path.
std::optional<TGalleryUpload> LastGalleryUpload(const Workspace& ws);

// What "Sync" sends: the gallery's own files as its last build recorded them (every file of
// its folder without a record), pages last, as the command line publishes them.
std::vector<TSyncFile> GallerySyncFiles(const TGalleryToPublish& gallery);

}  // namespace fsc
