// Naming the file in a loader's error.
#include "engine/LoadSourcePicture.h"

#include "base/Errors.h"
#include "imaging/GraphicsIO.h"

namespace fsc {

TBitmap LoadSourcePicture(const std::string& fileName, IMessages* messages) {
    try {
        return LoadPicture(fileName, messages);
    } catch (const EFSC_Exception& error) {
        throw EFSC_Exception("Cannot load image \"" + fileName + "\": " + error.what());
    }
}

}  // namespace fsc
