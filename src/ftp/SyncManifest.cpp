// Writing and reading the sync manifest: a header with the format's version, one record a
// file (path, size, SHA-256) and a closing count, so that a cut-off file is recognised.
#include "ftp/SyncManifest.h"

#include <sstream>

#include "base/TabFields.h"

namespace fsc {

namespace {

const char* const Header = "folioscope sync manifest\t1";
const char* const Closing = "end";

bool IsSha256(const std::string& text) {
    if (text.size() != 64) return false;
    for (const char c : text) {
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
    }
    return true;
}

std::optional<std::pair<std::string, TManifestEntry>> ReadRecord(const std::string& line) {
    const auto fields = SplitTabFields(line);
    if (!fields || fields->size() != 3) return std::nullopt;
    const auto size = TabFieldNumber((*fields)[1]);
    if (!size || *size < 0 || !IsSha256((*fields)[2]) || !IsPlainRelativePath((*fields)[0])) {
        return std::nullopt;
    }
    return std::make_pair((*fields)[0], TManifestEntry{std::uint64_t(*size), (*fields)[2]});
}

}  // namespace

bool IsPlainRelativePath(const std::string& path) {
    if (path.empty() || path.find('\\') != std::string::npos) return false;
    std::size_t start = 0;
    while (true) {
        const std::size_t slash = path.find('/', start);
        const std::string level = path.substr(start, slash - start);
        if (level.empty() || level == "." || level == "..") return false;
        if (slash == std::string::npos) return true;
        start = slash + 1;
    }
}

std::string ManifestText(const TSyncManifest& manifest) {
    std::string text = std::string(Header) + "\n";
    for (const auto& [path, entry] : manifest) {
        text += JoinTabFields({path, std::to_string(entry.Size), entry.Sha256}) + "\n";
    }
    return text + JoinTabFields({Closing, std::to_string(manifest.size())}) + "\n";
}

std::optional<TSyncManifest> ReadManifest(const std::string& text, std::string& problem) {
    std::istringstream lines(text);
    std::string line;
    if (!std::getline(lines, line) || line != Header) {
        problem = "it was not written by this program, or by a newer version";
        return std::nullopt;
    }
    TSyncManifest manifest;
    while (std::getline(lines, line)) {
        const auto fields = SplitTabFields(line);
        if (fields && fields->size() == 2 && (*fields)[0] == Closing) {
            const auto count = TabFieldNumber((*fields)[1]);
            if (!count || std::size_t(*count) != manifest.size() ||
                lines.peek() != std::char_traits<char>::eof())
                break;
            return manifest;
        }
        const auto record = ReadRecord(line);
        if (!record || !manifest.insert(*record).second) break;
    }
    problem = "it is damaged or incomplete";
    return std::nullopt;
}

}  // namespace fsc
