// What the server really holds, compared with the manifest: a file removed or cut short there
// by hand (or by the host) must be sent again, though the manifest says it arrived.
#pragma once

#include <string>
#include <vector>

#include "ftp/SyncManifest.h"
#include "ftp/TFileList.h"

namespace fsc {

// The folder of a path below the gallery's folder: "a/b" for "a/b/c.jpg", "" for "c.jpg".
std::string FolderOf(const std::string& path);

// The folders below the gallery's folder that hold the manifest's files, "" for the
// gallery's folder itself, parents before their children.
std::vector<std::string> ManifestFolders(const TSyncManifest& manifest);

struct TFolderCheck {
    // Manifest paths in the folder that the listing lacks or shows with another size.
    std::vector<std::string> NotThere;
    // Paths of files left half-sent by an earlier sync that gave up.
    std::vector<std::string> LeftParts;
};

// Compares the manifest's files in `folder` with the server's listing of that folder.
TFolderCheck CheckFolder(const TSyncManifest& manifest, const std::string& folder,
                         const TFileList& listing);

// The manifest's paths in `folder` itself, for a folder the server says is not there.
std::vector<std::string> PathsInFolder(const TSyncManifest& manifest, const std::string& folder);

}  // namespace fsc
