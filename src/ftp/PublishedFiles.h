// Which files of a gallery folder go to the server, and in which order: the gallery's own
// files (as its builds recorded them) and what the user names, never hidden files or what a
// link reaches outside the folder; pictures and other files first, pages last, the
// gallery's top page very last, so that a page never goes live before what it shows.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "base/TStringList.h"
#include "ftp/SyncPlan.h"

namespace fsc {

struct TPublishChoice {
    // Glob patterns on the path below the gallery folder ("/" between the levels). A pattern
    // with a "/" matches the path or a folder it lies in; one without matches any single
    // level, so "*.psd" or "raw" reach every folder.
    std::vector<std::string> Include, Exclude;
    // The gallery's HTML file below the folder: sent very last.
    std::string TopPage;
    // Page extensions without the dot, in any case ("html", "htm", ...): pages go last.
    TStringList PageExtensions = {"html", "htm"};
    // Where the files' SHA-256 are remembered from one publish to the next; "" for nowhere.
    std::string HashCacheFolder;
};

struct TPublishedFiles {
    // In sending order, read and hashed.
    std::vector<TSyncFile> Files;
    // One line for each file passed over that the user may have meant to send.
    std::vector<std::string> Warnings;
    // False when the folder was walked instead: no outputs were given, or none lies in it.
    bool FromRecord = false;
};

// The files to send from `folder`: `outputs` (full paths, the newest build's record) and the
// files matching an Include pattern; without `outputs`, every file of the folder. Hidden
// files and folders (a level starting with "."), files matching an Exclude pattern and the
// sync's own files are never sent, nor a link whose target lies outside `folder` (warned
// about). EFSC_Exception when the folder or a file cannot be read.
TPublishedFiles PublishedFiles(const std::string& folder, const std::optional<TStringList>& outputs,
                               const TPublishChoice& choice);

// Every file of `folder` that may be published, with no record of the build: the walk of
// PublishedFiles without outputs or patterns, its warnings dropped.
std::vector<TSyncFile> GalleryFolderFiles(const std::string& folder);

// Whether a glob pattern of TPublishChoice matches `path`.
bool PublishPatternMatches(const std::string& pattern, const std::string& path);

}  // namespace fsc
