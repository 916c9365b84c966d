// Reads a picture file into memory for a decoder, with the readers' own message when it cannot be opened.
#pragma once

#include <string>

namespace fsc {

// Throws EFSC_Exception "Unable to open file" when the file is missing or unreadable.
std::string ReadPictureFile(const std::string& fileName);

}  // namespace fsc
