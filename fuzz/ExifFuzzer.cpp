// libFuzzer target of the EXIF block a copy carries: reading the photo's data and rewriting
// the block, and finding and replacing it in a JPEG, from any bytes.
#include "FuzzDecode.h"
#include "imaging/ExifBlock.h"
#include "imaging/ExifSegment.h"
#include "imaging/LocationRemoval.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return fsc::fuzz::Run(data, size, [](std::string_view bytes) {
        fsc::TExifBlock block(bytes);
        (void)block.PhotoData();
        fsc::TExifChanges changes;
        changes.Upright = changes.DropThumbnail = changes.RemoveLocation = true;
        changes.Width = changes.Height = 100;
        const std::string rewritten = block.Rewritten(changes);
        // The same bytes taken as a whole JPEG file, as a byte copy rewrites one.
        for (const fsc::TSegmentEntry& entry : fsc::ListSegments(bytes)) {
            if (entry.Marker != 0xE1) continue;
            (void)fsc::ReplaceSegment(bytes, entry.Segment, rewritten);
            break;
        }
        std::string jpeg(bytes);
        fsc::RemoveLocationData(jpeg);
    });
}
