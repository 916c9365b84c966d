// "folioscope-cli undo" and "folioscope-cli history": the undo history of each gallery, kept
// on disk by every build, reached from a later process.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace fsc {

// undo [PROJECT.gal | --html-dir DIR --html-file NAME]: undoes the last build of that
// gallery, or without arguments of the gallery built last. "Nothing there to undo!" when
// there is none.
int RunUndoCommand(std::vector<std::string> args);

// history [--forget PROJECT.gal | --forget --html-dir DIR --html-file NAME]: lists the
// galleries that can be undone, or forgets the history of one (its files stay).
int RunHistoryCommand(std::vector<std::string> args, std::ostream& out);

// At the start of the program: a line on `err` for every build that never finished, with
// the command that undoes it.
void ReportUnfinishedBuilds(std::ostream& err);

}  // namespace fsc
