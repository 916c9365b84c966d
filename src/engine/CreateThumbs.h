// Step 3 of a build: the thumbnail of every image in the image directory.
#pragma once

#include <string>

#include "engine/TBuildContext.h"

namespace fsc {

// The thumbnail's file name: the image's Name with "Images = Thumbnails", otherwise Name
// without its last four characters + suffix + ".jpg" (photo.jpg gives photo_th.jpg); an
// empty suffix counts as "_th".
std::string ThumbnailName(const std::string& name, const std::string& suffix, bool imagesAreThumbs);

// True when the thumbnail on disk was made with the box, method and quality asked now.
bool ThumbnailIsCurrent(const TThumbnail& thumb, const TFSC_Images& images, int method, int quality,
                        bool fileExists);

// For each image: progress "Folioscope: Create Thumbs. i of n", the cancel check, ThumbName
// set, and unless the thumbnail is current the source (not the copy) is loaded, sized,
// resized, cut in hard-limit mode and written as a baseline JPEG, journalled after an
// overwritten file was backed up. With "Images = Thumbnails" nothing is written; the source
// is still loaded for its size.
void CreateThumbs(TBuildContext& context);

}  // namespace fsc
