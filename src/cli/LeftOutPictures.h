// The end of a run that left out pictures it could not read.
#pragma once

#include <ostream>

#include "app/Workspace.h"

namespace fsc {

// Built with pictures left out: scripts can tell it from a complete gallery.
inline constexpr int LeftOutPicturesExitCode = 3;

// Names each picture the run left out, with the reason, and how many there were. Returns
// LeftOutPicturesExitCode when there were any, else 0.
int ReportLeftOutPictures(const Workspace& ws, std::ostream& err);

}  // namespace fsc
