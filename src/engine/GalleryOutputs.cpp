// Reading a gallery's files from its history.
#include "engine/GalleryOutputs.h"

#include "base/Files.h"
#include "base/Paths.h"
#include "engine/BuildHistory.h"

namespace fsc {

std::optional<TStringList> GalleryOutputs(const std::string& historyRoot,
                                          const std::string& gallery) {
    const std::string file = JoinPath(HistoryFolderOf(historyRoot, gallery), HistoryFileName);
    if (!FileExists(file)) return std::nullopt;
    const THistoryContents history = ReadHistoryFile(file);
    if (history.Builds.empty() || history.Builds.back().Outputs.empty()) return std::nullopt;
    return history.Builds.back().Outputs;
}

}  // namespace fsc
