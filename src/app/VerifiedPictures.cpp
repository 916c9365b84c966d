// The list of verified pictures: a header line, then size, time and path a line.
#include "app/VerifiedPictures.h"

#include <sstream>

#include "base/Paths.h"
#include "base/TabFields.h"

namespace fsc {

namespace {

constexpr const char* Header = "folioscope verified pictures 1";
// More pictures than anyone adds again; beyond it the list starts afresh.
constexpr std::size_t MostRemembered = 100000;

}  // namespace

TVerifiedPictures TVerifiedPictures::Open(const std::string& cacheFolder) {
    TVerifiedPictures list;
    if (cacheFolder.empty()) return list;
    list.file = JoinPath(cacheFolder, "verified-pictures");
    std::string text;
    try {
        text = ReadFileBytes(list.file);
    } catch (const std::exception&) {
        return list;
    }
    std::istringstream lines(text);
    std::string line;
    if (!std::getline(lines, line) || line != Header) return list;
    while (std::getline(lines, line)) {
        const auto fields = SplitTabFields(line);
        const auto size =
            fields && fields->size() == 3 ? TabFieldNumber((*fields)[0]) : std::nullopt;
        const auto time =
            fields && fields->size() == 3 ? TabFieldNumber((*fields)[1]) : std::nullopt;
        // A damaged list vouches for nothing.
        if (!size || !time) {
            list.pictures.clear();
            return list;
        }
        list.pictures[(*fields)[2]] = {*size, *time};
    }
    return list;
}

bool TVerifiedPictures::Known(const std::string& path, const TFileStamp& stamp) const {
    const auto found = pictures.find(CanonicalPath(path));
    return stamp.Size >= 0 && found != pictures.end() && found->second == stamp;
}

void TVerifiedPictures::Add(const std::string& path, const TFileStamp& stamp) {
    if (file.empty() || stamp.Size < 0 || Known(path, stamp)) return;
    if (pictures.size() >= MostRemembered) pictures.clear();
    pictures[CanonicalPath(path)] = stamp;
    changed = true;
}

void TVerifiedPictures::Save() const {
    if (file.empty() || !changed) return;
    std::string text = std::string(Header) + '\n';
    for (const auto& [path, stamp] : pictures) {
        text +=
            JoinTabFields({std::to_string(stamp.Size), std::to_string(stamp.Time), path}) + '\n';
    }
    try {
        ForceDirectories(ExtractFilePath(file));
        WriteFileBytes(file, text);
    } catch (const std::exception&) {
        // The pictures are read again next time; nothing else is lost.
    }
}

}  // namespace fsc
