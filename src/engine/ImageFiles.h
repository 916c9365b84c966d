// The files of one picture of the gallery, its JPEG copy and its thumbnail, made from a
// single read of the source; a function of the source and the settings, so that several
// pictures can be made side by side while the calling thread writes finished ones.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "base/ITextRasteriser.h"
#include "base/MemoryBudget.h"
#include "engine/ImageCache.h"
#include "engine/TFSC_Images.h"
#include "engine/VariantPictures.h"
#include "imaging/ImageFitting.h"
#include "imaging/JpegQuality.h"
#include "imaging/PhotoData.h"
#include "imaging/TBitmap.h"

namespace fsc {

// What is wanted of one picture; decided on the calling thread.
struct TImageJob {
    std::string FileName;
    bool MakeCopy = false;
    // The copy replaces the source file itself, so the thumbnail shows the copy, as it would
    // when read from the file after the copy was written.
    bool CopyOverSource = false;
    TJpegSettings Copy{75, false};
    // A thumbnail file, or (with "Images = Thumbnails") only the sizes the pages need.
    bool MakeThumb = false;
    bool MeasureOnly = false;
    int ThumbQuality = 50;
    // The names the copy and the thumbnail are written under; their extra files are named
    // after them.
    std::string CopyName;
    std::string ThumbName;
};

// What a worker made; written by the calling thread.
struct TImageFiles {
    // The source as it was before it was read.
    TFileStamp Source;
    // The copy: either the source's own bytes, or CopyJpeg encoded with CopySettings.
    bool CopyIsSourceBytes = false;
    std::string CopyJpeg;
    TJpegSettings CopySettings;
    // The source's size and the thumbnail's by the sizing mode, for thumbnails and measuring.
    TSize ImageSize;
    TSize ThumbSize;
    std::string ThumbJpeg;
    // The extra files of the settings' TVariantChoice, made with the copy or the thumbnail.
    std::vector<TVariantFile> CopyVariants;
    std::vector<TVariantFile> ThumbVariants;
    // What the photo's EXIF block says; without the position when location data is removed.
    TPhotoData Photo;
    // Notices of a picture loaded only in part.
    std::vector<std::string> Notices;
};

struct TImageServices {
    ITextRasteriser& Rasteriser;
    TMemoryBudget& Memory;
    // "let me adjust the compression/quality for each image": shown for the copy's picture;
    // returns the quality and encoding to use. Unset when the setting is off.
    std::function<TJpegSettings(const TBitmap&)> AdjustCompression;
};

// Reads the source once (a JPEG at the smallest scale all outputs allow with the smooth
// method), then makes the thumbnail and the copy, and with each its extra files. An encoded copy
// carries the source's EXIF block, upright and without its preview; a byte copy is the source's
// bytes, but for the EXIF block rewritten without location data when that is to be removed. A
// damaged block is dropped from the copy, never an error. Raises EFSC_Exception naming the file.
TImageFiles MakeImageFiles(const TImageJob& job, const TFSC_Images& images,
                           TImageServices& services);

// Only the EXIF block of a source (JPEG, WebP, HEIF, AVIF), for a picture whose files are all
// current; nothing for other formats or a file that cannot be read.
TPhotoData ReadPhotoData(const std::string& fileName, const TFSC_Images& images);

// What shapes a copy or a thumbnail, as the image cache compares it.
std::string CopySettingsKey(const TFSC_Images& images, const TJpegSettings& jpeg);
std::string ThumbSettingsKey(const TFSC_Images& images, int method, int quality);

}  // namespace fsc
