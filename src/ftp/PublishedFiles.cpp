// Choosing and ordering the files a publish sends.
#include "ftp/PublishedFiles.h"

#include <fnmatch.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>

#include "base/Errors.h"
#include "base/Text.h"
#include "ftp/FileHashCache.h"

namespace fsc {

namespace fs = std::filesystem;

namespace {

TStringList Levels(const std::string& path) {
    TStringList levels;
    std::size_t start = 0;
    for (std::size_t slash; (slash = path.find('/', start)) != std::string::npos;
         start = slash + 1) {
        levels.push_back(path.substr(start, slash - start));
    }
    levels.push_back(path.substr(start));
    return levels;
}

bool IsHidden(const std::string& path) {
    for (const std::string& level : Levels(path)) {
        if (!level.empty() && level.front() == '.') return true;
    }
    return false;
}

bool AnyMatches(const std::vector<std::string>& patterns, const std::string& path) {
    return std::any_of(patterns.begin(), patterns.end(),
                       [&](const std::string& p) { return PublishPatternMatches(p, path); });
}

std::string PlainBelow(const fs::path& relative) {
    const std::string path = relative.generic_string();
    if (path.empty() || path == "." || StartsWith(path, "../") || path == "..") return "";
    return path;
}

// The path below `root` ("/" between the levels), or "" when `full` does not lie below it.
// The build may have named the folder through a link and the publish by its real name, or
// the other way round.
std::string PathBelow(const fs::path& root, const fs::path& realRoot, const std::string& full) {
    const std::string path =
        PlainBelow(fs::absolute(full).lexically_normal().lexically_relative(root));
    if (!path.empty()) return path;
    std::error_code error;
    const fs::path real = fs::weakly_canonical(full, error);
    return error ? "" : PlainBelow(real.lexically_relative(realRoot));
}

// Every file below `root`, hidden folders not entered; links to folders are not followed.
std::set<std::string> WalkFolder(const fs::path& root) {
    std::set<std::string> paths;
    std::error_code error;
    fs::recursive_directory_iterator walk(root, error), end;
    if (error) throw EFSC_Exception("Cannot read the folder " + root.string() + ".");
    for (; walk != end; walk.increment(error)) {
        if (error) throw EFSC_Exception("Cannot read the folder " + root.string() + ".");
        const std::string name = walk->path().filename().string();
        if (!name.empty() && name.front() == '.') {
            walk.disable_recursion_pending();
            continue;
        }
        if (walk->is_symlink() || walk->is_regular_file())
            paths.insert(walk->path().lexically_relative(root).generic_string());
    }
    return paths;
}

// Where the files of one folder really lie, each folder resolved once: resolving every file
// on its own walks its whole path again, which costs a no-change publish more than its
// network round trips.
class TRealPaths {
public:
    fs::path Of(const fs::path& full, bool link) {
        std::error_code error;
        if (link) return fs::canonical(full, error);
        const auto [known, added] = folders.try_emplace(full.parent_path());
        if (added) known->second = fs::canonical(full.parent_path(), error);
        return known->second.empty() ? fs::path() : known->second / full.filename();
    }

private:
    std::map<fs::path, fs::path> folders;
};

// A link is published as the file it names only when that file is part of the folder too:
// a link to a key or a password file beside the gallery must never reach a web server.
bool LiesInside(const fs::path& realRoot, const fs::path& real) {
    if (real.empty()) return false;
    const std::string below = real.lexically_relative(realRoot).generic_string();
    return !below.empty() && below != "." && !StartsWith(below, "../") && below != "..";
}

int SendingRank(const std::string& path, const TPublishChoice& choice) {
    if (path == choice.TopPage) return 2;
    const std::string extension = LowerCase(fs::path(path).extension().string());
    for (const std::string& page : choice.PageExtensions) {
        if (extension == "." + LowerCase(page)) return 1;
    }
    return 0;
}

}  // namespace

bool PublishPatternMatches(const std::string& pattern, const std::string& path) {
    const TStringList levels = Levels(path);
    const bool whole = pattern.find('/') != std::string::npos;
    std::string leading;
    for (const std::string& level : levels) {
        leading = leading.empty() ? level : leading + "/" + level;
        const std::string& subject = whole ? leading : level;
        if (fnmatch(pattern.c_str(), subject.c_str(), whole ? FNM_PATHNAME : 0) == 0) return true;
    }
    return false;
}

TPublishedFiles PublishedFiles(const std::string& folder, const std::optional<TStringList>& outputs,
                               const TPublishChoice& choice) {
    const fs::path root = fs::absolute(folder).lexically_normal();
    std::error_code error;
    const fs::path realRoot = fs::canonical(root, error);
    if (error) throw EFSC_Exception("Cannot read the folder " + folder + ".");
    const std::set<std::string> walked = WalkFolder(root);
    std::set<std::string> chosen;
    if (outputs) {
        for (const std::string& output : *outputs) {
            const std::string path = PathBelow(root, realRoot, output);
            if (!path.empty()) chosen.insert(path);
        }
    }
    std::optional<TFileHashCache> cache;
    if (!choice.HashCacheFolder.empty()) cache.emplace(choice.HashCacheFolder, folder);
    TPublishedFiles result;
    // A record that names nothing here belongs to another folder: sending nothing would make
    // a sync delete the whole gallery on the server.
    result.FromRecord = !chosen.empty();
    if (result.FromRecord) {
        for (const std::string& path : walked) {
            if (AnyMatches(choice.Include, path)) chosen.insert(path);
        }
    } else {
        chosen = walked;
    }
    TRealPaths realPaths;
    std::vector<std::pair<int, TSyncFile>> ranked;
    for (const std::string& path : chosen) {
        if (IsHidden(path) || IsSyncOwnFile(fs::path(path).filename().string()) ||
            AnyMatches(choice.Exclude, path))
            continue;
        const fs::path full = root / fs::path(path);
        const fs::file_status own = fs::symlink_status(full, error);
        const bool link = fs::is_symlink(own);
        const fs::file_status status = link ? fs::status(full, error) : own;
        if (!fs::exists(status)) {
            if (link) {
                result.Warnings.push_back("Skipped " + path + ": a link to nothing.");
            } else {
                result.Warnings.push_back("Skipped " + path +
                                          ": the last build made it, but it is gone.");
            }
            continue;
        }
        if (!LiesInside(realRoot, realPaths.Of(full, link))) {
            result.Warnings.push_back("Skipped " + path +
                                      ": a link to a file outside the gallery folder.");
            continue;
        }
        if (!fs::is_regular_file(status)) continue;
        ranked.emplace_back(SendingRank(path, choice),
                            ReadSyncFile(path, full.string(), cache ? &*cache : nullptr));
    }
    if (cache) cache->Save();
    // Pictures and other files first, pages after them, the top page last.
    std::stable_sort(ranked.begin(), ranked.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (auto& [rank, file] : ranked) {
        file.Page = rank > 0;
        result.Files.push_back(std::move(file));
    }
    return result;
}

std::vector<TSyncFile> GalleryFolderFiles(const std::string& folder) {
    return PublishedFiles(folder, std::nullopt, {}).Files;
}

}  // namespace fsc
