// Taking a photo's recorded position out of its JPEG file, leaving the picture data alone.
#pragma once

#include <string>

namespace fsc {

// Removes the GPS part of every EXIF block (a whole block libexif cannot read, since it may
// hold a position no one can take out) and every XMP packet that records a GPS position.
// Every other byte stays. Returns whether anything was removed.
bool RemoveLocationData(std::string& jpeg);

}  // namespace fsc
