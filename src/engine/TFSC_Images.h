// The image settings of one build: copies, thumbnails and watermark.
#pragma once

#include <array>
#include <string>

#include "base/ITextRasteriser.h"
#include "base/TDateTime.h"
#include "base/TStringList.h"
#include "engine/TVariantChoice.h"
#include "imaging/JpegQuality.h"
#include "imaging/Resize.h"
#include "imaging/Watermark.h"

namespace fsc {

struct TFSC_HTML;

enum class TThumbSizeMode { limit, fit, stretch, hardLimit };

struct TFSC_Images {
    // The paired page settings; not owned.
    TFSC_HTML* HTML = nullptr;
    // Set by the progress window's cancel callback, polled before each image.
    bool Abort = false;
    bool ResizeImages = false;
    int ResizeWidth = -1;   // -1 = no limit
    int ResizeHeight = -1;  // -1 = no limit
    // How copies and thumbnails are shrunk.
    TResizeMethod ResizeMethod = TResizeMethod::Smooth;
    bool AdjustCompression = false;
    TThumbSizeMode ThumbSizeMode = TThumbSizeMode::limit;
    int ThumbWidth = 70;
    int ThumbHeight = 70;
    TThumbQualityLevel ThumbQualityLevel = TThumbQualityLevel::Middle;
    // "Images = Thumbnails": no thumbnail files; pages scale the image itself.
    bool ImagesAreThumbs = false;
    std::string ThumbSuffix = "_th";
    bool Watermark = false;
    TStringList WatermarkText;
    TWatermarkPositions WatermarkPositions{};  // indexed by TWatermarkPosition
    bool WatermarkAdjustSize = false;
    int WatermarkTransparency = 0;
    TFontSpec WatermarkFont;
    // Copies watermarked before this time are made again.
    TDateTime WatermarkChanged = 0;
    // Never overwrite an original lying in the image directory.
    bool KeepOriginals = false;
    // "remove location data": copies go without the GPS block and pages do not show it.
    bool RemoveLocation = true;
    // A picture that cannot be read is left out of the gallery, and named in the journal's
    // list of left-out pictures, instead of stopping the build.
    bool SkipBadPictures = false;
    // WebP and AVIF beside the JPEG copies and thumbnails, for pages that offer them.
    bool WriteWebp = false;
    bool WriteAvif = false;
    // Extra sizes and formats of the copies too, not only of the thumbnails. Off for the
    // directory-tree tool: its copies lie among the user's photos, where any other file would
    // be taken for a photo by its next run; its thumbnails' files carry their mark.
    bool CopyVariants = true;
    // Each picture's own file beside the gallery, for a "download original" link; not
    // written where CopyVariants is off, for the same reason.
    bool Originals = false;
    // The files each picture gets beside its copy and thumbnail (PictureVariants.h); set by
    // the build from what its pages name.
    TVariantChoice Variants;
};

}  // namespace fsc
