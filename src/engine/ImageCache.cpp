// The image cache file: a header naming the folder, then one tab-separated line per output
// file, closed by "end" so that a line cut short is noticed.
#include "engine/ImageCache.h"

#include <sstream>
#include <vector>

#include "base/Files.h"
#include "base/Paths.h"
#include "base/TabFields.h"

namespace fsc {

namespace {

constexpr const char* Header = "folioscope image cache 1";

bool ReadNumber(const std::string& field, std::int64_t& value) {
    const std::optional<long long> number = TabFieldNumber(field);
    if (number) value = *number;
    return number.has_value();
}

bool ReadSide(const std::string& field, int& value) {
    const std::optional<long long> number = TabFieldNumber(field);
    if (!number || *number < 0 || *number > 1'000'000'000) return false;
    value = int(*number);
    return true;
}

bool ParseEntry(const std::string& line, std::string& output, TCachedImage& entry) {
    const std::optional<std::vector<std::string>> fields = SplitTabFields(line);
    if (!fields || fields->size() != 12 || fields->back() != "end") return false;
    const std::vector<std::string>& f = *fields;
    output = f[0];
    entry.Source = f[1];
    entry.Settings = f[4];
    return ReadNumber(f[2], entry.SourceStamp.Size) && ReadNumber(f[3], entry.SourceStamp.Time) &&
           ReadNumber(f[5], entry.Output.Size) && ReadNumber(f[6], entry.Output.Time) &&
           ReadSide(f[7], entry.ImageSize.Width) && ReadSide(f[8], entry.ImageSize.Height) &&
           ReadSide(f[9], entry.ThumbSize.Width) && ReadSide(f[10], entry.ThumbSize.Height);
}

std::string EntryLine(const std::string& output, const TCachedImage& e) {
    return JoinTabFields(
        {output, e.Source, std::to_string(e.SourceStamp.Size), std::to_string(e.SourceStamp.Time),
         e.Settings, std::to_string(e.Output.Size), std::to_string(e.Output.Time),
         std::to_string(e.ImageSize.Width), std::to_string(e.ImageSize.Height),
         std::to_string(e.ThumbSize.Width), std::to_string(e.ThumbSize.Height), "end"});
}

// FNV-1a: a stable file name for the folder, whatever characters its path holds.
std::string FolderKey(const std::string& folder) {
    std::uint64_t hash = 14695981039346656037ull;
    for (unsigned char c : folder) hash = (hash ^ c) * 1099511628211ull;
    std::ostringstream name;
    name << std::hex << hash << ".cache";
    return name.str();
}

std::string HeaderLine(const std::string& imageDir) { return JoinTabFields({Header, imageDir}); }

}  // namespace

TImageCache TImageCache::Open(const std::string& cacheFolder, const std::string& imageDir) {
    TImageCache cache;
    if (cacheFolder.empty()) return cache;
    cache.imageDir = CanonicalPath(imageDir);
    cache.file = JoinPath(cacheFolder, FolderKey(cache.imageDir));
    std::string text;
    try {
        text = ReadFileBytes(cache.file);
    } catch (const std::exception&) {
        return cache;
    }
    std::istringstream lines(text);
    std::string line;
    // Another folder whose name has the same key, or a file of someone else's.
    if (!std::getline(lines, line) || line != HeaderLine(cache.imageDir)) return cache;
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
    const auto found = entries.find(CanonicalPath(output));
    if (found == entries.end()) return nullptr;
    const TCachedImage& entry = found->second;
    if (entry.Source != CanonicalPath(source) || entry.Settings != settings ||
        sourceStamp.Size < 0 || entry.SourceStamp != sourceStamp)
        return nullptr;
    const TFileStamp now = FileStampOf(output);
    if (now.Size < 0 || now != entry.Output) return nullptr;
    return &entry;
}

void TImageCache::Record(const std::string& output, TCachedImage entry) {
    if (!Enabled()) return;
    entry.Output = FileStampOf(output);
    entry.Source = CanonicalPath(entry.Source);
    entries[CanonicalPath(output)] = std::move(entry);
}

void TImageCache::Forget(const std::string& output) { entries.erase(CanonicalPath(output)); }

std::vector<std::string> TImageCache::WrittenFiles() const {
    std::vector<std::string> files;
    for (const auto& [output, entry] : entries) {
        if (FileStampOf(output) == entry.Output) files.push_back(output);
    }
    return files;
}

void TImageCache::Save() const {
    if (!Enabled()) return;
    std::string text = HeaderLine(imageDir) + '\n';
    for (const auto& [output, entry] : entries) text += EntryLine(output, entry) + '\n';
    try {
        ForceDirectories(ExtractFilePath(file));
        WriteFileBytes(file, text);
    } catch (const std::exception&) {
        // Only time is lost: the next build makes the pictures again.
    }
}

}  // namespace fsc
