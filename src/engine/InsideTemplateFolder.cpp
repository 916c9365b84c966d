// The check that keeps a template's reading inside its own folders.
#include "engine/InsideTemplateFolder.h"

#include <algorithm>
#include <filesystem>
#include <optional>

#include "base/Errors.h"
#include "base/Paths.h"

namespace fsc {

namespace fs = std::filesystem;

namespace {

// What the system would open: absolute, the existing part with its links followed, the
// rest normalised. Resolving the links is what makes a link inside the folder that points
// at a private file count as outside.
std::optional<fs::path> Resolved(const std::string& path) {
    std::error_code error;
    const fs::path absolute = fs::absolute(path, error);
    if (error) return std::nullopt;
    fs::path resolved = fs::weakly_canonical(absolute, error);
    if (error) return std::nullopt;
    return resolved;
}

}  // namespace

TTemplateFolders FoldersOfTemplate(const std::string& templateFolder, const std::string& library) {
    return {templateFolder.empty() ? "." : templateFolder, library};
}

bool LiesInsideFolder(const std::string& path, const std::string& folder) {
    if (folder.empty()) return false;
    const std::optional<fs::path> inner = Resolved(path);
    const std::optional<fs::path> outer = Resolved(ExcludeTrailingSeparator(folder));
    if (!inner || !outer) return false;
    // Part by part, so that "/templates2" does not count as inside "/templates".
    const auto outerEnd =
        std::mismatch(outer->begin(), outer->end(), inner->begin(), inner->end()).first;
    return outerEnd == outer->end();
}

void RequireTemplateSource(const TTemplateFolders& folders, const std::string& path,
                           const std::string& what) {
    if (LiesInsideFolder(path, folders.Own) || LiesInsideFolder(path, folders.Library)) return;
    throw EFSC_Exception(what + " lies outside the template's folder.");
}

}  // namespace fsc
