// Numbered page names.
#include "engine/PageFileName.h"

#include "base/Paths.h"

namespace fsc {

std::string WithoutExtension(const std::string& name) {
    return name.substr(0, name.size() - ExtractFileExt(name).size());
}

std::string PageFileName(const std::string& name, const std::string& ext, int number) {
    std::string extension = ExtractFileExt(name);
    if (extension.empty()) extension = "." + ext;
    const std::string base = WithoutExtension(name);
    if (number < 2) return base + extension;
    return base + std::to_string(number) + extension;
}

}  // namespace fsc
