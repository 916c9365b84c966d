// The image cache file: a header naming the folder, then one line per output file with its
// fields separated by tabs (tabs, line breaks and backslashes inside a field escaped).
#include "engine/ImageCache.h"

#include <filesystem>
#include <sstream>
#include <vector>

#include "base/Files.h"
#include "base/Paths.h"

namespace fsc {

namespace fs = std::filesystem;

namespace {

constexpr const char* Header = "folioscope image cache 1";
constexpr std::size_t FieldCount = 13;

std::string Escape(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
            case '\\': out += "\\\\"; break;
            case '\t': out += "\\t"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            default: out += c;
        }
    }
    return out;
}

// False for an escape this writer never makes.
bool Unescape(const std::string& text, std::string& out) {
    out.clear();
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            out += text[i];
            continue;
        }
        if (++i == text.size()) return false;
        switch (text[i]) {
            case '\\': out += '\\'; break;
            case 't': out += '\t'; break;
            case 'n': out += '\n'; break;
            case 'r': out += '\r'; break;
            default: return false;
        }
    }
    return true;
}

std::vector<std::string> SplitTabs(const std::string& line) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (;;) {
        const std::size_t tab = line.find('\t', start);
        fields.push_back(line.substr(start, tab - start));
        if (tab == std::string::npos) return fields;
        start = tab + 1;
    }
}

bool ToNumber(const std::string& text, std::int64_t& value) {
    if (text.empty()) return false;
    std::size_t used = 0;
    try {
        value = std::stoll(text, &used);
    } catch (const std::exception&) {
        return false;
    }
    return used == text.size();
}

bool ToInt(const std::string& text, int& value) {
    std::int64_t wide = 0;
    if (!ToNumber(text, wide) || wide < -1 || wide > 1'000'000'000) return false;
    value = int(wide);
    return true;
}

bool ParseEntry(const std::string& line, std::string& output, TCachedImage& entry) {
    const std::vector<std::string> f = SplitTabs(line);
    if (f.size() != FieldCount) return false;
    return Unescape(f[0], output) && Unescape(f[1], entry.Source) &&
           ToNumber(f[2], entry.SourceStamp.Size) && ToNumber(f[3], entry.SourceStamp.Time) &&
           Unescape(f[4], entry.Settings) && ToNumber(f[5], entry.Output.Size) &&
           ToNumber(f[6], entry.Output.Time) && ToInt(f[7], entry.ImageSize.Width) &&
           ToInt(f[8], entry.ImageSize.Height) && ToInt(f[9], entry.ThumbSize.Width) &&
           ToInt(f[10], entry.ThumbSize.Height) && f[11].empty() && f[12] == "end";
}

std::string EntryLine(const std::string& output, const TCachedImage& e) {
    std::ostringstream line;
    line << Escape(output) << '\t' << Escape(e.Source) << '\t' << e.SourceStamp.Size << '\t'
         << e.SourceStamp.Time << '\t' << Escape(e.Settings) << '\t' << e.Output.Size << '\t'
         << e.Output.Time << '\t' << e.ImageSize.Width << '\t' << e.ImageSize.Height << '\t'
         << e.ThumbSize.Width << '\t' << e.ThumbSize.Height << "\t\tend";
    return line.str();
}

// FNV-1a: a stable file name for the folder, whatever characters its path holds.
std::string FolderKey(const std::string& folder) {
    std::uint64_t hash = 14695981039346656037ull;
    for (unsigned char c : folder) hash = (hash ^ c) * 1099511628211ull;
    std::ostringstream name;
    name << std::hex << hash << ".cache";
    return name.str();
}

std::string AbsoluteFolder(const std::string& folder) {
    std::error_code error;
    const fs::path absolute = fs::absolute(folder, error);
    return (error ? fs::path(folder) : absolute).lexically_normal().string();
}

}  // namespace

TFileStamp FileStampOf(const std::string& path) {
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (error || !fs::is_regular_file(status)) return {};
    const std::uintmax_t size = fs::file_size(path, error);
    if (error) return {};
    const fs::file_time_type time = fs::last_write_time(path, error);
    if (error) return {};
    return {std::int64_t(size),
            std::int64_t(std::chrono::duration_cast<std::chrono::nanoseconds>(
                             time.time_since_epoch())
                             .count())};
}

TImageCache TImageCache::Open(const std::string& cacheFolder, const std::string& imageDir) {
    TImageCache cache;
    if (cacheFolder.empty()) return cache;
    cache.imageDir = AbsoluteFolder(imageDir);
    cache.file = JoinPath(cacheFolder, FolderKey(cache.imageDir));
    std::string text;
    try {
        text = ReadFileBytes(cache.file);
    } catch (const std::exception&) {
        return cache;
    }
    std::istringstream lines(text);
    std::string line;
    if (!std::getline(lines, line) || line != std::string(Header) + '\t' + Escape(cache.imageDir))
        return cache;
    std::map<std::string, TCachedImage> entries;
    while (std::getline(lines, line)) {
        std::string output;
        TCachedImage entry;
        if (!ParseEntry(line, output, entry)) return cache;
        entries[output] = entry;
    }
    cache.entries = std::move(entries);
    return cache;
}

const TCachedImage* TImageCache::Current(const std::string& output, const std::string& source,
                                         const TFileStamp& sourceStamp,
                                         const std::string& settings) const {
    const auto found = entries.find(output);
    if (found == entries.end()) return nullptr;
    const TCachedImage& entry = found->second;
    if (entry.Source != source || entry.Settings != settings || sourceStamp.Size < 0 ||
        entry.SourceStamp != sourceStamp)
        return nullptr;
    const TFileStamp now = FileStampOf(output);
    if (now.Size < 0 || now != entry.Output) return nullptr;
    return &entry;
}

void TImageCache::Record(const std::string& output, TCachedImage entry) {
    if (!Enabled()) return;
    entry.Output = FileStampOf(output);
    entries[output] = std::move(entry);
}

void TImageCache::Save() const {
    if (!Enabled()) return;
    std::string text = std::string(Header) + '\t' + Escape(imageDir) + '\n';
    for (const auto& [output, entry] : entries) text += EntryLine(output, entry) + '\n';
    try {
        ForceDirectories(ExtractFilePath(file));
        WriteFileBytes(file, text);
    } catch (const std::exception&) {
        // Only time is lost: the next build makes the pictures again.
    }
}

}  // namespace fsc
