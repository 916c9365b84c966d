// Shows program options readably when a test comparison fails.
#pragma once

#include <ostream>

#include "options/ProgramOptions.h"

namespace fsc {

inline void PrintTo(const ProgramOptions& options, std::ostream* out) {
    for (const std::string& line : ProgramOptionLines(options)) *out << "\n  " << line;
}

}  // namespace fsc
