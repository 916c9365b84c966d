// "PROJECT.gal | --html-dir DIR [--html-file NAME]": a gallery built earlier, named by the
// same words that built it.
#pragma once

#include <string>
#include <vector>

namespace fsc {

// The gallery's HTML file when neither a project nor --html-file names one.
inline constexpr const char* DefaultHTMLFileName = "index.html";

struct TGalleryLocation {
    std::string HTMLDir;
    // The gallery's HTML file path exactly as the build command makes it from the same words.
    std::string GalleryFile;
};

// EUsageError for anything else among `args`; `command` names the command in the message.
TGalleryLocation GalleryOf(const std::vector<std::string>& args, const std::string& command);

}  // namespace fsc
