// What a build that left out pictures it could not read tells its user.
#pragma once

#include <string>

#include "base/TStringList.h"

namespace fsc {

// One line per picture ("Left out "PATH": reason"), then how many there were; empty when
// there were none.
TStringList LeftOutPicturesLines(const TStringList& leftOut);

}  // namespace fsc
