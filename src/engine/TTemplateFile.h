// A file that a template copies into the gallery unchanged.
#pragma once

#include <string>

namespace fsc {

struct TTemplateFile {
    // Target directory relative to the HTML directory; may be empty.
    std::string SubDir;
    std::string FileName;
    // Full path of the source file.
    std::string Source;

    bool operator==(const TTemplateFile&) const = default;
};

}  // namespace fsc
