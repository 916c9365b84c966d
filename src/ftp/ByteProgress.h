// A transfer's bytes on a progress bar.
#pragma once

#include <climits>
#include <cstdint>
#include <string>

#include "base/IProgress.h"

namespace fsc {

// `bytes` of `expected` on the bar. The bar counts in int; very large files are shown in
// coarser steps.
inline void ShowBytes(IProgress& progress, std::int64_t bytes, std::int64_t expected,
                      const std::string& text) {
    while (expected > INT_MAX || bytes > INT_MAX) {
        expected /= 1024;
        bytes /= 1024;
    }
    progress.Update(0, int(bytes), text, int(expected));
}

}  // namespace fsc
