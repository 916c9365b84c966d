// One output page of a build: its text, where it goes and which page or image it shows.
#pragma once

#include <string>

#include "base/TStringList.h"

namespace fsc {

struct TFSC_File {
    TStringList Lines;
    // Directory relative to the HTML directory; "" for the base directory.
    std::string SubDir;
    // The logical name before saving, the bare file name written after saving.
    std::string FileName;
    // For pages copied from a template: the full source path.
    std::string SourceFile;
    int PageNumber = 0;   // 1-based thumbnail page, 0 otherwise
    int ImageNumber = 0;  // 1-based image of an image page, 0 otherwise

    bool operator==(const TFSC_File&) const = default;
};

}  // namespace fsc
