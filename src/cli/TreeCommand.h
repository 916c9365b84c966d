// "folioscope-cli tree": a linked gallery in every folder of a directory tree.
#pragma once

#include <string>
#include <vector>

namespace fsc {

// DIR [--file NAME] [--no-navigation] [--allow-modify] [--template NAME|FILE.tpl]
// [--set KEY=VALUE]... [--yes|--no]. Starts from the saved program options and the
// workspace's defaults, applies the template and the settings lines, then runs the
// directory-tree tool on DIR; the top folder's page is printed when there is one. Galleries
// made before an error stay on disk, as in the desktop program. Returns the exit status;
// errors of the program's classes pass on to main, usage errors as EUsageError.
int RunTreeCommand(const std::vector<std::string>& args);

}  // namespace fsc
