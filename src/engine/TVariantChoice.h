// Which extra files a build makes of every picture: larger thumbnails for sharp screens,
// smaller copies for small ones, and WebP and AVIF beside each JPEG.
#pragma once

namespace fsc {

struct TVariantChoice {
    // Thumbnails at two and three times the box, for the pages' THUMBSRCSET tag.
    bool ThumbScales = false;
    // Copies at the steps below the copy's size, for the pages' IMAGESRCSET tag.
    bool CopySteps = false;
    // WebP and AVIF of every JPEG the picture has, for the pages' SOURCES tags.
    bool Webp = false;
    bool Avif = false;
    // The copies get their steps and formats; else only the thumbnails get theirs.
    bool Copies = true;

    bool Any() const { return ThumbScales || CopySteps || Webp || Avif; }
    bool operator==(const TVariantChoice&) const = default;
};

}  // namespace fsc
