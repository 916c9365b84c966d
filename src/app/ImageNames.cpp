// The naming rules of the image list.
#include "app/ImageNames.h"

#include "base/Errors.h"
#include "base/Paths.h"
#include "base/Text.h"

namespace fsc {

std::string SaveAsName(const std::string& path) {
    std::string name = ChangeFileExt(ExtractFileName(path), ".jpg");
    for (const char* unsafe : {" ", "%20", "%", "[", "]"}) name = ReplaceAll(name, unsafe, "_");
    return name;
}

std::string NumberedName(const std::string& name, int n) {
    const std::string extension = ExtractFileExt(name);
    return name.substr(0, name.size() - extension.size()) + "_" + std::to_string(n) + extension;
}

std::string AvoidNameClash(const TThumbnailArray& images, std::string name) {
    for (const TThumbnail& other : images) {
        int n = 2;
        while (name == other.Name) name = NumberedName(name, n++);
    }
    return name;
}

std::string RepairShownName(const std::string& name) {
    const std::string upper = UpperCase(name);
    std::string repaired = name;
    if (!EndsWith(upper, ".JPG") && !EndsWith(upper, ".JPEG")) repaired += ".jpg";
    repaired = ReplaceAll(repaired, "[", "(");
    return ReplaceAll(repaired, "]", ")");
}

void CheckIdenticalNames(const TThumbnailArray& images) {
    for (std::size_t i = 0; i < images.size(); ++i) {
        for (std::size_t j = i + 1; j < images.size(); ++j) {
            if (images[i].Name != images[j].Name) continue;
            throw EFSC_Exception("Warning: 2 identical image names - at " + std::to_string(i + 1) +
                                 " and " + std::to_string(j + 1) + " - name: " + images[i].Name);
        }
    }
}

bool IsPlainFileName(const std::string& name) {
    if (Trim(name).empty() || name == "." || name == "..") return false;
    return name.find_first_of("/\\:") == std::string::npos;
}

}  // namespace fsc
