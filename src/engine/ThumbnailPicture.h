// One thumbnail: its file name, its size by the sizing mode, its picture, and whether the
// file on disk is still the one the settings ask for.
#pragma once

#include <string>

#include "engine/TFSC_Images.h"
#include "engine/TThumbnail.h"
#include "imaging/ImageFitting.h"
#include "imaging/TBitmap.h"

namespace fsc {

// The code kept in ThumbMethod: 0 limit, 1 hard limit, 2 stretch, 3 fit.
int ThumbMethodCode(TThumbSizeMode mode);

// The thumbnail size of a width x height source in the settings' box by the sizing mode; in
// hard-limit mode larger than the box, which the file is cut to.
TSize ThumbnailSize(TThumbSizeMode mode, int width, int height, int boxWidth, int boxHeight);

// The size of the file written for a thumbnail sized `sized`: cut to the box in hard-limit mode.
TSize ThumbnailFileSize(const TFSC_Images& images, TSize sized);

// The thumbnail from `decoded`, the source at `sized` or larger: resized by the gallery's
// method, cut to the box in hard-limit mode.
TBitmap ThumbnailPictureFrom(const TBitmap& decoded, TSize sized, const TFSC_Images& images);

// The thumbnail's file name: the image's Name with "Images = Thumbnails", otherwise Name
// without its last four characters + suffix + ".jpg" (photo.jpg gives photo_th.jpg); an
// empty suffix counts as "_th".
std::string ThumbnailName(const std::string& name, const std::string& suffix, bool imagesAreThumbs);

// True when the thumbnail on disk was made with the box, method and quality asked now.
bool ThumbnailIsCurrent(const TThumbnail& thumb, const TFSC_Images& images, int method, int quality,
                        bool fileExists);

}  // namespace fsc
