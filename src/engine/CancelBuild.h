// The cancel path of a build: the progress window's Abort undoes everything recorded.
#pragma once

#include "engine/TBuildContext.h"

namespace fsc {

inline constexpr const char* BuildAbortedText = "Folioscope Creation aborted and undone.";

// When Images.Abort is set: hides the progress window, undoes as the main window's undo
// does (files of the history deleted, backups moved back, copy and thumbnail times cleared)
// and raises EOperationAborted "Folioscope Creation aborted and undone.". With nothing
// recorded yet there is nothing to undo and only the message is raised.
void CheckBuildAbort(TBuildContext& context);

}  // namespace fsc
