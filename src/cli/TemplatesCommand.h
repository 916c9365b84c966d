// "folioscope-cli templates": list the template library.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace fsc {

// Prints every entry of the library folder in the template dialog's order, one a line: the
// name, and after a tab its description when its template file has one. Takes no arguments.
int RunTemplatesCommand(const std::vector<std::string>& args, const std::string& libraryFolder,
                        std::ostream& out, std::ostream& err);

}  // namespace fsc
