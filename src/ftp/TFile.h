// One entry of a file pane: a local directory entry or a line of a remote listing.
#pragma once

#include <cstdint>
#include <string>

#include "base/TDateTime.h"

namespace fsc {

struct TFile {
    std::string Name;
    bool IsDir = false;
    bool ReadOnly = false;
    // 64 bits, so a listing that shows a file of several gigabytes is still read.
    std::int64_t Size = 0;
    TDateTime Date = 0;
};

}  // namespace fsc
