// One line a file: the stat summary, the size, the SHA-256 and the full path, tab apart.
#include "ftp/FileHashCache.h"

#include <sys/stat.h>

#include <charconv>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "base/Sha256.h"

namespace fsc {

namespace {

const char* const Header = "folioscope hash cache\t1";

// Everything that changes when a file is written or replaced, in nanoseconds: a file
// rewritten within one second to the same size still differs in its change time.
std::string StatSummary(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return {};
    std::ostringstream summary;
    summary << info.st_dev << ':' << info.st_ino << ':' << info.st_size << ':'
            << info.st_mtim.tv_sec << '.' << info.st_mtim.tv_nsec << ':' << info.st_ctim.tv_sec
            << '.' << info.st_ctim.tv_nsec;
    return summary.str();
}

}  // namespace

TFileHashCache::TFileHashCache(const std::string& cacheFolder, const std::string& folder) {
    const std::string absolute = std::filesystem::absolute(folder).lexically_normal().string();
    file = cacheFolder + "/" + Sha256Hex(absolute).substr(0, 32);
    std::ifstream in(file, std::ios::binary);
    std::string line;
    if (!std::getline(in, line) || line != Header) return;
    while (std::getline(in, line)) {
        // The path comes last: it may hold a tab itself.
        const std::size_t first = line.find('\t');
        const std::size_t second = line.find('\t', first + 1);
        const std::size_t third = line.find('\t', second + 1);
        if (first == std::string::npos || second == std::string::npos || third != second + 65)
            continue;
        std::uint64_t size = 0;
        const char* digits = line.data() + first + 1;
        if (std::from_chars(digits, line.data() + second, size).ptr != line.data() + second)
            continue;
        known[line.substr(third + 1)] = {line.substr(0, first),
                                         {size, line.substr(second + 1, 64)}};
    }
}

TManifestEntry TFileHashCache::Entry(const std::string& fullPath,
                                     const std::function<TManifestEntry()>& hash) {
    const std::string stat = StatSummary(fullPath);
    const auto remembered = known.find(fullPath);
    if (!stat.empty() && remembered != known.end() && remembered->second.Stat == stat) {
        used[fullPath] = remembered->second;
        return remembered->second.Entry;
    }
    const TManifestEntry entry = hash();
    // Changed while it was read: not remembered, so that the next run reads it again.
    if (!stat.empty() && StatSummary(fullPath) == stat) used[fullPath] = {stat, entry};
    return entry;
}

void TFileHashCache::Save() const {
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(file).parent_path(), error);
    const std::string temporary = file + ".new";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out << Header << '\n';
        for (const auto& [path, remembered] : used) {
            out << remembered.Stat << '\t' << remembered.Entry.Size << '\t'
                << remembered.Entry.Sha256 << '\t' << path << '\n';
        }
        if (!out.flush()) {
            std::filesystem::remove(temporary, error);
            return;
        }
    }
    std::filesystem::rename(temporary, file, error);
}

}  // namespace fsc
