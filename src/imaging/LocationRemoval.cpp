// Taking a photo's recorded position out of its JPEG file.
#include "imaging/LocationRemoval.h"

#include <optional>
#include <string_view>

#include "imaging/ExifBlock.h"
#include "imaging/ExifSegment.h"

namespace fsc {

namespace {

constexpr std::uint8_t App1 = 0xE1;
constexpr std::string_view ExifHeader("Exif\0\0", 6);
constexpr std::string_view XmpHeader("http://ns.adobe.com/xap/1.0/\0", 29);

// What the segment becomes: nothing to change, or its new payload (empty: removed).
std::optional<std::string> WithoutLocation(std::string_view payload) {
    if (payload.starts_with(ExifHeader)) {
        TExifBlock block(payload);
        if (!block.Readable()) return std::string();
        if (!block.HasLocation()) return std::nullopt;
        TExifChanges changes;
        changes.RemoveLocation = true;
        return block.Rewritten(changes);
    }
    // XMP is text; its position properties are exif:GPSLatitude and its kin. The packet
    // goes whole, since rewriting XML by hand would risk a damaged one.
    if (payload.starts_with(XmpHeader) && payload.find("GPS") != std::string_view::npos)
        return std::string();
    return std::nullopt;
}

}  // namespace

bool RemoveLocationData(std::string& jpeg) {
    const std::vector<TSegmentEntry> segments = ListSegments(jpeg);
    bool changed = false;
    // From the last segment back, so the places of those before stay true.
    for (auto it = segments.rbegin(); it != segments.rend(); ++it) {
        if (it->Marker != App1) continue;
        const std::optional<std::string> payload =
            WithoutLocation(std::string_view(jpeg).substr(it->PayloadOffset, it->PayloadSize()));
        if (!payload) continue;
        jpeg = ReplaceSegment(jpeg, it->Segment, *payload);
        changed = true;
    }
    return changed;
}

}  // namespace fsc
