// The list of the covers of a directory-tree folder.
#include "tools/TreeCovers.h"

#include "app/ImageNames.h"
#include "base/Files.h"
#include "base/Paths.h"

namespace fsc {

std::set<std::string> TreeOwnCovers(const std::string& folder) {
    std::set<std::string> covers;
    const std::string list = JoinPath(folder, TreeCoversFileName);
    if (!FileExists(list)) return covers;
    for (const std::string& line : LoadLines(list)) {
        const std::size_t tab = line.find('\t');
        if (tab == std::string::npos) continue;
        const std::string name = line.substr(0, tab);
        const std::string path = JoinPath(folder, name);
        if (IsPlainFileName(name) && FileExists(path) &&
            std::to_string(FileSize(path)) == line.substr(tab + 1)) {
            covers.insert(name);
        }
    }
    return covers;
}

TStringList TreeCoversLines(const std::string& folder, const std::set<std::string>& earlier,
                            const TThumbnailArray& images, bool imagesAreCovers) {
    std::set<std::string> names = earlier;
    for (const TThumbnail& thumb : images) {
        if (imagesAreCovers) {
            names.insert(thumb.Name);
        } else {
            names.erase(thumb.Name);
        }
    }
    TStringList lines;
    for (const std::string& name : names) {
        const std::string path = JoinPath(folder, name);
        if (FileExists(path)) lines.push_back(name + "\t" + std::to_string(FileSize(path)));
    }
    return lines;
}

}  // namespace fsc
