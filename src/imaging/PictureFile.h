// Reads a picture file into memory, with the readers' message when it cannot be opened.
#pragma once

#include <string>

namespace fsc {

// Throws EFSC_Exception "Unable to open file" when the file is missing or unreadable.
std::string ReadPictureFile(const std::string& fileName);

}  // namespace fsc
