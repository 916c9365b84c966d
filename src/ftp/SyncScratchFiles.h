// The local scratch files of a sync (the manifest read and written, a folder's listing).
#pragma once

#include <string>

namespace fsc {

// A new scratch file's path in the temporary folder, "folioscope-WHAT-PID-N": two syncs at
// once never share one. The first call clears the scratch files of the user's syncs whose
// process is gone, which a killed sync leaves behind.
std::string ScratchFile(const char* what);

}  // namespace fsc
