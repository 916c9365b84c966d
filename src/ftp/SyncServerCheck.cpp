// Comparing the manifest with the listings of the gallery's folders on the server.
#include "ftp/SyncServerCheck.h"

#include <set>

#include "base/Text.h"

namespace fsc {

namespace {

std::string NameOf(const std::string& path) { return path.substr(path.rfind('/') + 1); }

std::string InFolder(const std::string& folder, const std::string& name) {
    return folder.empty() ? name : folder + "/" + name;
}

}  // namespace

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? "" : path.substr(0, slash);
}

std::vector<std::string> ManifestFolders(const TSyncManifest& manifest) {
    std::set<std::string> folders{""};
    for (const auto& [path, entry] : manifest) folders.insert(FolderOf(path));
    // A set orders "a" before "a/b".
    return {folders.begin(), folders.end()};
}

std::vector<std::string> PathsInFolder(const TSyncManifest& manifest, const std::string& folder) {
    std::vector<std::string> paths;
    for (const auto& [path, entry] : manifest) {
        if (FolderOf(path) == folder) paths.push_back(path);
    }
    return paths;
}

TFolderCheck CheckFolder(const TSyncManifest& manifest, const std::string& folder,
                         const TFileList& listing) {
    TFolderCheck check;
    for (const std::string& path : PathsInFolder(manifest, folder)) {
        const TFile* file = listing.Find(NameOf(path));
        if (file == nullptr || file->IsDir || std::uint64_t(file->Size) != manifest.at(path).Size) {
            check.NotThere.push_back(path);
        }
    }
    for (const TFile& file : listing.Entries()) {
        if (!file.IsDir && EndsWith(file.Name, SyncPartSuffix) &&
            file.Name.size() > std::string(SyncPartSuffix).size()) {
            check.LeftParts.push_back(InFolder(folder, file.Name));
        }
    }
    return check;
}

}  // namespace fsc
