// Reporting left-out pictures.
#include "cli/LeftOutPictures.h"

namespace fsc {

int ReportLeftOutPictures(const Workspace& ws, std::ostream& err) {
    const TStringList& leftOut = ws.LeftOutPictures;
    if (leftOut.empty()) return 0;
    for (const std::string& picture : leftOut) err << "Left out " << picture << '\n';
    err << leftOut.size() << (leftOut.size() == 1 ? " picture" : " pictures")
        << " could not be read and " << (leftOut.size() == 1 ? "was" : "were")
        << " left out of the gallery.\n";
    return LeftOutPicturesExitCode;
}

}  // namespace fsc
