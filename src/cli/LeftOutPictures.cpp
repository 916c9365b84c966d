// Reporting left-out pictures.
#include "cli/LeftOutPictures.h"

#include "app/LeftOutPictures.h"

namespace fsc {

int ReportLeftOutPictures(const Workspace& ws, std::ostream& err) {
    if (ws.LeftOutPictures.empty()) return 0;
    for (const std::string& line : LeftOutPicturesLines(ws.LeftOutPictures)) err << line << '\n';
    return LeftOutPicturesExitCode;
}

}  // namespace fsc
