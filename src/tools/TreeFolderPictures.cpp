// Choosing the pictures of one folder of the directory tree.
#include "tools/TreeFolderPictures.h"

#include <set>

#include "app/ImageNames.h"
#include "base/Files.h"
#include "base/Paths.h"
#include "base/Text.h"
#include "imaging/GraphicsIO.h"
#include "tools/TreeCovers.h"

namespace fsc {

std::set<std::string> TreeOwnCopies(const std::string& folder) {
    std::set<std::string> copies;
    const std::string list = JoinPath(folder, TreeCopiesFileName);
    if (!FileExists(list)) return copies;
    for (const std::string& line : LoadLines(list)) {
        const std::size_t tab = line.find('\t');
        const std::size_t secondTab = line.find('\t', tab == std::string::npos ? tab : tab + 1);
        if (secondTab == std::string::npos) continue;
        const std::string copy = line.substr(0, tab);
        const std::string original = line.substr(tab + 1, secondTab - tab - 1);
        const std::string copyPath = JoinPath(folder, copy);
        if (!IsPlainFileName(copy) || !IsPlainFileName(original) || !FileExists(copyPath) ||
            !FileExists(JoinPath(folder, original)) ||
            std::to_string(FileSize(copyPath)) != line.substr(secondTab + 1)) {
            continue;
        }
        copies.insert(copy);
    }
    return copies;
}

TStringList TreeCopiesLines(const std::string& folder, const TThumbnailArray& images) {
    TStringList lines;
    for (const TThumbnail& thumb : images) {
        const std::string copyPath = JoinPath(folder, thumb.Name);
        // The placeholder's copy is known by its name already.
        if (thumb.noImage || thumb.FileName == copyPath || IsTreeToolFile(thumb.Name) ||
            !FileExists(copyPath))
            continue;
        if (ExtractFileDir(thumb.FileName) != ExcludeTrailingSeparator(folder)) continue;
        lines.push_back(thumb.Name + "\t" + ExtractFileName(thumb.FileName) + "\t" +
                        std::to_string(FileSize(copyPath)));
    }
    return lines;
}

TStringList TreeFolderPictures(const std::string& folder) {
    const std::vector<TDirEntry> entries = ListDirectory(folder);
    std::set<std::string> taken = TreeOwnCopies(folder);
    taken.merge(TreeOwnCovers(folder));
    // A camera that saves each photo as raw and as JPEG shows it once, by its own JPEG.
    std::set<std::string> developed;
    for (const TDirEntry& entry : entries)
        if (IsImageName(entry.Name) && !IsRawName(entry.Name))
            developed.insert(UpperCase(ChangeFileExt(entry.Name, "")));
    TStringList paths;
    for (const char* extension : {".jpg", ".jpeg", ".png", ".bmp", ".gif", ".tif", ".tiff", ".webp",
                                  ".heic", ".heif", ".avif", ".cr2", ".nef", ".arw", ".dng"}) {
        for (const TDirEntry& entry : entries) {
            const std::string& name = entry.Name;
            if (entry.IsDirectory || !SameText(ExtractFileExt(name), extension)) continue;
            if (Trim(name).empty() || IsTreeToolFile(name)) continue;
            if (IsRawName(name) && developed.count(UpperCase(ChangeFileExt(name, "")))) continue;
            if (taken.insert(name).second) paths.push_back(JoinPath(folder, name));
        }
    }
    return paths;
}

}  // namespace fsc
