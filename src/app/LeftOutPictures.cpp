// The report of left-out pictures.
#include "app/LeftOutPictures.h"

namespace fsc {

TStringList LeftOutPicturesLines(const TStringList& leftOut) {
    TStringList lines;
    if (leftOut.empty()) return lines;
    for (const std::string& picture : leftOut) lines.push_back("Left out " + picture);
    const bool one = leftOut.size() == 1;
    lines.push_back(std::to_string(leftOut.size()) + (one ? " picture" : " pictures") +
                    " could not be read and " + (one ? "was" : "were") +
                    " left out of the gallery.");
    return lines;
}

}  // namespace fsc
