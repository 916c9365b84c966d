// Originals beside the gallery, for visitors who want the photo itself.
#include "engine/OriginalFiles.h"

#include <string_view>

#include "base/Files.h"
#include "base/Paths.h"
#include "base/Text.h"
#include "engine/BuildFiles.h"
#include "imaging/ExifBlock.h"
#include "imaging/LocationRemoval.h"
#include "imaging/PictureExif.h"

namespace fsc {

namespace {

bool IsJpegBytes(std::string_view bytes) {
    return bytes.size() >= 3 && bytes[0] == '\xFF' && bytes[1] == '\xD8' && bytes[2] == '\xFF';
}

// XMP is text in every format that carries it; its position properties are exif:GPSLatitude
// and exif:GPSLongitude. Any file that spells them out is taken to hold a position.
bool SpellsOutPosition(std::string_view bytes) {
    return bytes.find("GPSLatitude") != std::string_view::npos ||
           bytes.find("GPSLongitude") != std::string_view::npos;
}

bool MayHoldPosition(const std::string& fileName, std::string_view bytes) {
    const std::string payload = ReadPictureExif(fileName);
    if (!payload.empty()) {
        const TExifBlock block(payload);
        if (!block.Readable() || block.HasLocation()) return true;
    }
    return SpellsOutPosition(bytes);
}

std::string NumberedOriginal(const std::string& name, int n) {
    const std::string extension = ExtractFileExt(name);
    return name.substr(0, name.size() - extension.size()) + "_" + std::to_string(n) + extension;
}

}  // namespace

std::optional<std::string> PublishableOriginal(const std::string& fileName, bool removeLocation) {
    std::string bytes = ReadFileBytes(fileName);
    if (!removeLocation) return bytes;
    if (IsJpegBytes(bytes)) {
        RemoveLocationData(bytes);
        return bytes;
    }
    if (MayHoldPosition(fileName, bytes)) return std::nullopt;
    return bytes;
}

std::string OriginalFileName(const TThumbnail& thumb, std::set<std::string>& taken) {
    const std::string wanted = ChangeFileExt(thumb.Name, ExtractFileExt(thumb.FileName));
    std::string name = wanted;
    // Servers and the visitors' disks may not tell case apart.
    for (int n = 2; taken.count(UpperCase(name)) != 0; ++n) name = NumberedOriginal(wanted, n);
    taken.insert(UpperCase(name));
    return name;
}

bool PublishOriginal(TBuildContext& context, TThumbnail& thumb, std::set<std::string>& taken) {
    thumb.OriginalName.clear();
    const std::optional<std::string> bytes =
        PublishableOriginal(thumb.FileName, context.Images.RemoveLocation);
    const std::string name = OriginalFileName(thumb, taken);
    const std::string target =
        InHTMLDir(context.HTML.HTMLDir, std::string(OriginalsFolder) + "/" + name);
    // A picture kept in that folder is the user's own file: offered as it is, never replaced.
    const bool isSource = IsSameFile(target, thumb.FileName);
    if (!bytes || (isSource && !FileHolds(target, *bytes))) return false;
    thumb.OriginalName = name;
    if (isSource) return true;
    context.Journal.CreateFolders(ExtractFileDir(target));
    context.Journal.AddOutput(target);
    if (FileHolds(target, *bytes)) return true;
    JournalImageTarget(context, target);
    WriteFileBytes(target, *bytes);
    return true;
}

std::string WithheldOriginalsText(const std::vector<std::string>& fileNames) {
    std::string names;
    for (const std::string& fileName : fileNames)
        names += (names.empty() ? "\"" : ", \"") + fileName + "\"";
    return "Not offered for download, since they record where they were taken and a picture of "
           "their kind cannot lose that without being encoded again (switch off \"remove "
           "location data\" to offer them as they are): " +
           names + ".";
}

}  // namespace fsc
