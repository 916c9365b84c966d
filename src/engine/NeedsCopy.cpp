// The cache rule of image copies.
#include "engine/NeedsCopy.h"

namespace fsc {

bool CopyIsStale(const TThumbnail& thumb, const TFSC_Images& images, const TCopyChoices& choices) {
    const int q = choices.Quality;
    if (thumb.CopyTime <= 0) return true;
    if (thumb.CopyResized && !images.ResizeImages) return true;
    if (images.ResizeImages &&
        (thumb.CopyResizeWidth != images.ResizeWidth ||
         thumb.CopyResizeHeight != images.ResizeHeight || !thumb.CopyResized)) {
        return true;
    }
    if (!images.AdjustCompression && q != thumb.CopyQuality && thumb.CopyQuality < 100) return true;
    if (images.AdjustCompression && (!choices.All || q != thumb.CopyQuality)) return true;
    if (images.Watermark && thumb.WatermarkTime < images.WatermarkChanged) return true;
    // A copy made without a watermark lacks it even when the watermark itself never changed,
    // e.g. when only the switch was turned on, or a template or project turned it on.
    if (images.Watermark && !thumb.Watermarked) return true;
    if (!images.Watermark && thumb.Watermarked) return true;
    // Either way the copy holds the wrong EXIF block: a position to hide, or one lost.
    if (thumb.CopyKeptLocation == images.RemoveLocation) return true;
    return false;
}

bool NeedsCopy(const TThumbnail& thumb, const TFSC_Images& images, const TCopyChoices& choices,
               const TCopyTarget& target, TDateTime now) {
    if (!target.Exists) return true;
    if (target.IsSource) {
        if (target.KeepOriginal) return false;
        TThumbnail original = thumb;
        original.CopyTime = now;
        original.CopyQuality = 100;
        // An original is the user's file: its EXIF block is never rewritten.
        original.CopyKeptLocation = !images.RemoveLocation;
        return CopyIsStale(original, images, choices);
    }
    return CopyIsStale(thumb, images, choices);
}

}  // namespace fsc
