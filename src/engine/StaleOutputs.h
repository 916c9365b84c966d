// Removing what earlier builds of a gallery produced and the current one no longer does: the
// copy, thumbnail and image page of a photo taken out of the gallery, a page the gallery no
// longer needs, a collage picture or template file of another style.
#pragma once

#include <string>

#include "base/IRandom.h"
#include "base/TStringList.h"
#include "engine/TBuildJournal.h"
#include "engine/TThumbnail.h"

namespace fsc {

// Deletes every file of `journal.EarlierOutputs` that is not among `journal.Outputs` and not
// the source of one of `pictures`, each backed up to `backupFolder` and recorded
// like an overwrite, so that undo puts it back. A file the current build's own history wrote
// (a build that was killed and is now run again) just goes. The earlier outputs are then
// this build's.
void RemoveStaleOutputs(TBuildJournal& journal, const std::string& backupFolder, IRandom& random,
                        const TThumbnailArray& pictures);

}  // namespace fsc
