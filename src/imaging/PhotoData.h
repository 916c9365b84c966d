// What a photo's EXIF block says about how it was taken, as the pages show it.
#pragma once

#include <string>

#include "base/TDateTime.h"

namespace fsc {

// Each text is empty when the photo does not say; the texts are plain, not HTML.
struct TPhotoData {
    // When the picture was taken (0 = unknown), in local camera time as cameras record it.
    TDateTime Taken = 0;
    // Make and model, the make not repeated when the model already names it.
    std::string Camera;
    std::string Lens;
    // "1/250 s", "2.5 s"
    std::string Exposure;
    // "f/5.6"
    std::string Aperture;
    // "400"
    std::string Iso;
    // "35 mm"
    std::string FocalLength;
    // "48.858222, 2.294500": latitude and longitude in decimal degrees, south and west negative.
    std::string Gps;

    bool operator==(const TPhotoData&) const = default;
};

}  // namespace fsc
