// The originals a gallery offers for download: each picture's own file copied byte for byte
// into a folder beside the pages, without the photo's recorded position when that is to be
// removed, as the copies are.
#pragma once

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "engine/TBuildContext.h"
#include "engine/TThumbnail.h"

namespace fsc {

// The folder below the HTML directory that holds them; published addresses name it.
inline constexpr const char* OriginalsFolder = "originals";

// What may be published of the picture file `fileName` as its original: its bytes; a JPEG's
// with the position taken out of its EXIF block and XMP packet, the picture data untouched;
// or nothing when `removeLocation` is set and a file of another format records a position
// (in its EXIF block or an XMP packet) or has a block that cannot be read, since taking the
// position out of those would mean encoding the picture again. Raises EFscError when the file
// cannot be read.
std::optional<std::string> PublishableOriginal(const std::string& fileName, bool removeLocation);

// The name of the picture's original in the originals folder: the gallery's name of the
// picture with the extension of the file itself ("b.jpg" of "b.png" is "b.png"), numbered
// when an earlier picture of the build took that name already (`taken` holds them in upper
// case).
std::string OriginalFileName(const TThumbnail& thumb, std::set<std::string>& taken);

// Puts the picture's original into the originals folder, or finds it there as it would be
// written, records it as an output of the build and sets thumb.OriginalName; a file there is
// backed up before it is replaced, like a copy. False, and no original, for a picture whose
// position cannot be taken out, or that lies in the originals folder itself with one.
bool PublishOriginal(TBuildContext& context, TThumbnail& thumb, std::set<std::string>& taken);

// The message naming the pictures (their files) that PublishOriginal withheld.
std::string WithheldOriginalsText(const std::vector<std::string>& fileNames);

}  // namespace fsc
