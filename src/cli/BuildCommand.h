// "folioscope-cli build": a gallery from a project, pictures, a template and settings lines,
// optionally uploaded over FTP afterwards.
#pragma once

#include <string>
#include <vector>

namespace fsc {

// In this order: the project, the pictures and image sets in the order given, the
// directories and file name, the template with its parameter values, the --set lines, the
// project saved, the build (its captions on stderr), the gallery's HTML file printed, the
// upload. The build's undo history stays on disk for "folioscope-cli undo"; a failed build
// removes what it wrote and puts back what it overwrote at once. Returns the exit status;
// errors of the program's classes pass on to main.
int RunBuildCommand(const std::vector<std::string>& args);

}  // namespace fsc
