// Sorting the image list by name or by file date.
#pragma once

#include "engine/TThumbnail.h"

namespace fsc {

inline constexpr int SortByName = 0;
inline constexpr int SortByDate = 1;

// An exchange sort, kept because its order is visible to users: each position i is
// compared with every later j and the two swapped when i is greater (ascending) or when i
// is not greater (descending, so equal records swap too). Names compare upper-cased.
void SortThumbnails(TThumbnailArray& thumbs, int key, bool ascending);

}  // namespace fsc
