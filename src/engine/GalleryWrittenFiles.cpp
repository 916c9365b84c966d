// Telling a gallery's own files in a folder from the pictures of the user's.
#include "engine/GalleryWrittenFiles.h"

#include <map>

#include "base/Errors.h"
#include "base/Files.h"
#include "base/Paths.h"
#include "base/Text.h"
#include "engine/BuildHistory.h"
#include "engine/GalleryHistories.h"
#include "engine/ImageCache.h"

namespace fsc {

namespace {

// Names the files of one canonical folder, however their paths were recorded. A history
// lists thousands of files in a few folders, so each folder is resolved once.
class TFolderNames {
public:
    explicit TFolderNames(const std::string& folder) : folder(CanonicalPath(folder)) {}

    // The file's name when it lies directly in the folder, else "".
    std::string NameOf(const std::string& path) {
        const std::string dir = ExtractFileDir(path);
        auto found = canonicalDirs.find(dir);
        if (found == canonicalDirs.end())
            found = canonicalDirs.emplace(dir, CanonicalPath(dir)).first;
        return found->second == folder ? ExtractFileName(path) : std::string();
    }

private:
    std::string folder;
    std::map<std::string, std::string> canonicalDirs;
};

// A collage picture is named after the gallery's HTML file and the page's number
// ("index.html2.jpg"). Every build writes it anew, over the one the build before wrote.
bool IsCollagePictureOf(const std::string& name, const std::string& gallery) {
    if (!EndsWith(name, ".jpg")) return false;
    std::size_t end = name.size() - 4;
    const std::size_t digitsEnd = end;
    while (end > 0 && name[end - 1] >= '0' && name[end - 1] <= '9') --end;
    return end < digitsEnd && EndsWith(name.substr(0, end), ExtractFileName(gallery));
}

void AddHistoryFiles(std::set<std::string>& names, TFolderNames& folder,
                     const THistoryContents& history) {
    for (const THistoryBuild& build : history.Builds) {
        const std::set<std::string> replaced(build.RestoreFiles.begin(), build.RestoreFiles.end());
        for (const std::string& path : build.CreatedFiles) {
            const std::string name = folder.NameOf(path);
            if (name.empty()) continue;
            if (replaced.count(path) == 0 || IsCollagePictureOf(name, history.Gallery))
                names.insert(name);
        }
        for (const std::string& path : build.Outputs) {
            const std::string name = folder.NameOf(path);
            if (!name.empty()) names.insert(name);
        }
    }
}

void AddHistoriesFiles(std::set<std::string>& names, TFolderNames& folder,
                       const std::string& historyRoot) {
    for (const THistorySummary& summary : ListHistories(historyRoot)) {
        if (!summary.Damage.empty()) continue;
        try {
            AddHistoryFiles(names, folder,
                            ReadHistoryFile(JoinPath(summary.Folder, HistoryFileName)));
        } catch (const EFscError&) {
            // Damaged since it was listed: what it knew is lost to this question only.
        }
    }
}

}  // namespace

std::set<std::string> GalleryWrittenFiles(const std::string& folder, const std::string& historyRoot,
                                          const std::string& cacheFolder) {
    std::set<std::string> names;
    TFolderNames folderNames(folder);
    if (!cacheFolder.empty()) {
        for (const std::string& path : TImageCache::Open(cacheFolder, folder).WrittenFiles()) {
            const std::string name = folderNames.NameOf(path);
            if (!name.empty()) names.insert(name);
        }
    }
    if (!historyRoot.empty()) AddHistoriesFiles(names, folderNames, historyRoot);
    return names;
}

}  // namespace fsc
