// A camera raw file as cameras and converters write DNG, for the raw reader's tests and seeds.
#pragma once

#include <string>

#include "imaging/TBitmap.h"

namespace fsc::test {

// The sensor's data (blank, sensorWidth x sensorHeight) in a sub-directory, an RGB preview in
// the first directory, which also says how the camera was held. Throws when it can't write.
void WriteDng(const std::string& path, const TBitmap& preview, int orientation,
              int sensorWidth = 256, int sensorHeight = 128);

}  // namespace fsc::test
