// What a sync does: the gallery folder's files compared with the manifest on the server.
#pragma once

#include <string>
#include <vector>

#include "ftp/SyncManifest.h"

namespace fsc {

class TFileHashCache;

// One file of the local gallery folder.
struct TSyncFile {
    std::string Path;      // below the gallery folder, "/" between the levels
    std::string FullPath;  // on this computer
    TManifestEntry Entry;
    // Pages go after every other file, so that none shows what has not arrived yet.
    bool Page = false;
};

struct TSyncPlan {
    // New files and files whose size or SHA-256 differs from the manifest's entry.
    std::vector<TSyncFile> Send;
    // Paths the manifest lists and the gallery no longer has.
    std::vector<std::string> Delete;
    // Files already on the server as they are here.
    std::size_t Unchanged = 0;
};

// The file at `fullPath`, known as `path` below the gallery folder, read and hashed.
// EFSC_Exception when it cannot be read.
// With `cache`, a file unchanged since it was last hashed is not read again.
TSyncFile ReadSyncFile(const std::string& path, const std::string& fullPath,
                       TFileHashCache* cache = nullptr);

// The manifest and files left half-sent are the sync's own and not part of the gallery.
bool IsSyncOwnFile(const std::string& name);

TSyncPlan PlanSync(const std::vector<TSyncFile>& files, const TSyncManifest& manifest);

// "3 files to send, 1 to delete, 12 unchanged."
std::string PlanSummary(const TSyncPlan& plan);

}  // namespace fsc
