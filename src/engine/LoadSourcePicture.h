// Loading an image of the gallery, with a message that says which file failed.
#pragma once

#include <string>

#include "base/IMessages.h"
#include "imaging/TBitmap.h"

namespace fsc {

// LoadPicture, but a failure raises EFSC_Exception
//   Cannot load image "<file name>": <the reader's message>
// since the readers' own messages ("Unable to open file", "JPEG file is truncated") do not
// say which of a gallery's many images is at fault.
TBitmap LoadSourcePicture(const std::string& fileName, IMessages* messages);

}  // namespace fsc
