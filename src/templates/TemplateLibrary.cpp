// Listing the template library and finding an entry's files.
#include "templates/TemplateLibrary.h"

#include <algorithm>

#include "base/AppFolders.h"
#include "base/Files.h"
#include "base/Paths.h"
#include "base/Text.h"

namespace fsc {

namespace {

// The names of plain files ending in the extension (any case), without it.
TStringList NamesWithExtension(const std::vector<TDirEntry>& entries, const std::string& ext) {
    TStringList names;
    for (const TDirEntry& entry : entries) {
        if (entry.IsDirectory || entry.Name.size() <= ext.size()) continue;
        if (!SameText(ExtractFileExt(entry.Name), ext)) continue;
        names.push_back(entry.Name.substr(0, entry.Name.size() - ext.size()));
    }
    return names;
}

}  // namespace

std::string TemplateLibraryFolder() { return JoinPath(DataFolder(), "Templates"); }

TStringList ListTemplates(const std::string& folder) {
    if (!DirectoryExists(folder)) return {};
    const std::vector<TDirEntry> entries = ListDirectory(folder);
    TStringList list = NamesWithExtension(entries, ".html");
    const std::size_t htmlCount = list.size();
    for (const std::string& name : NamesWithExtension(entries, ".tpl")) {
        const auto htmlEnd = list.begin() + static_cast<std::ptrdiff_t>(htmlCount);
        if (std::find(list.begin(), htmlEnd, name) == htmlEnd) list.push_back(name);
    }
    return list;
}

std::string TemplatePath(const std::string& folder, const std::string& entry) {
    if (StartsWith(entry, UserTemplatePrefix)) {
        return entry.substr(std::char_traits<char>::length(UserTemplatePrefix));
    }
    return JoinPath(folder, entry + ".tpl");
}

std::string TemplatePreviewFile(const std::string& folder, const std::string& entry) {
    // The preview is looked for by the whole entry, so a "USER:" entry finds none.
    if (entry.empty() || StartsWith(entry, UserTemplatePrefix)) return {};
    const std::string path = JoinPath(folder, entry + ".jpg");
    return FileExists(path) ? path : std::string();
}

std::string TemplateDescription(const TStringList& lines) {
    static constexpr std::string_view key = "DESCRIPTION=";
    std::string description;
    for (const std::string& line : lines) {
        if (StartsWith(line, key)) description = line.substr(key.size(), 99);
    }
    return description;
}

}  // namespace fsc
