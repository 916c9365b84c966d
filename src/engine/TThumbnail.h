// One image of the gallery and the ordered image list that the pages show.
#pragma once

#include <string>
#include <vector>

#include "base/TDateTime.h"
#include "imaging/PhotoData.h"

namespace fsc {

// A value type: the list copies records when it sorts or edits them.
struct TThumbnail {
    std::string FileName;
    TDateTime FileDate = 0;
    int FileSize = 0;
    std::string Name;
    std::string Link;
    std::string ThumbName;
    std::string Hint;
    std::string Description;
    std::string FieldA;
    std::string FieldB;
    std::string FieldC;
    int ImageHeight = 0;
    int ImageWidth = 0;
    int ThumbHeight = 0;
    int ThumbWidth = 0;
    // Cache of the last image copy: a later build skips the copy while these still match.
    TDateTime CopyTime = 0;
    bool CopyResized = false;
    int CopyResizeWidth = 0;
    int CopyResizeHeight = 0;
    int CopyQuality = 0;
    // The copy was made with "remove location data" off.
    bool CopyKeptLocation = false;
    // Cache of the last thumbnail, likewise.
    TDateTime ThumbTime = 0;
    int ThumbBoxWidth = 0;
    int ThumbBoxHeight = 0;
    int ThumbMethod = 0;
    int ThumbQuality = 0;
    bool useOtherLink = false;
    std::string OtherLink;
    bool Watermarked = false;
    TDateTime WatermarkTime = 0;
    // A text-only cell: shows its description and is skipped by previous/next links.
    bool noImage = false;
    // From the photo's EXIF block, read by every build's image step; not stored.
    TPhotoData Photo;
    // Every extra file of the copy, and of the thumbnail, that the build's pages ask for is
    // there (PictureVariants.h): set by the image step, not stored. A copy that is the user's
    // own original gets none, and its pages then offer the copy alone.
    bool HasCopyVariants = false;
    bool HasThumbVariants = false;
    // The name of the picture's original in the originals folder when the build offers it
    // for download (OriginalFiles.h), else empty: set by the image step, not stored.
    std::string OriginalName;

    bool operator==(const TThumbnail&) const = default;
};

// The image list in gallery order: thumbnail order, image numbers and slide order.
using TThumbnailArray = std::vector<TThumbnail>;

}  // namespace fsc
