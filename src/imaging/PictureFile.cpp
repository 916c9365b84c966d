// Reads a picture file into memory, with the readers' message when it cannot be opened.
#include "imaging/PictureFile.h"

#include <filesystem>
#include <fstream>
#include <iterator>

#include "base/Errors.h"

namespace fsc {

std::string ReadPictureFile(const std::string& fileName) {
    std::error_code error;
    // A directory opens as a stream on Linux but is no picture.
    if (!std::filesystem::is_regular_file(fileName, error))
        throw EFSC_Exception("Unable to open file");
    std::ifstream in(fileName, std::ios::binary);
    if (!in) throw EFSC_Exception("Unable to open file");
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) throw EFSC_Exception("Unable to open file");
    return bytes;
}

}  // namespace fsc
