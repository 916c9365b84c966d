// Choosing the pictures of one folder of the directory tree.
#include "tools/TreeFolderPictures.h"

#include <set>

#include "app/ImageNames.h"
#include "base/Files.h"
#include "base/Paths.h"
#include "base/Text.h"
#include "tools/PlaceholderPicture.h"

namespace fsc {

bool IsTreeToolFile(const std::string& name) {
    if (name.find(TreeThumbnailMark) != std::string::npos) return true;
    return SameText(name, PlaceholderPictureName) ||
           SameText(name, SaveAsName(PlaceholderPictureName));
}

TStringList TreeFolderPictures(const std::string& folder) {
    const std::vector<TDirEntry> entries = ListDirectory(folder);
    std::set<std::string> taken;
    TStringList paths;
    for (const char* extension : {".jpg", ".jpeg", ".png", ".bmp"}) {
        for (const TDirEntry& entry : entries) {
            const std::string& name = entry.Name;
            if (entry.IsDirectory || !SameText(ExtractFileExt(name), extension)) continue;
            if (Trim(name).empty() || IsTreeToolFile(name)) continue;
            if (taken.insert(name).second) paths.push_back(JoinPath(folder, name));
        }
    }
    return paths;
}

}  // namespace fsc
