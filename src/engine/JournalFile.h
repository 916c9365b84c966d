// Recording a file that a build is about to write, with a backup of what it replaces.
#pragma once

#include <string>

#include "base/IRandom.h"
#include "engine/TBuildJournal.h"

namespace fsc {

// When a file exists at `path`, copies it to a free random name "N.tmp" in `backupFolder`
// (created if missing) and records the pair in the backup and restore lists; then appends
// `path` to the created-file list. A failed backup raises and records nothing.
void JournalFile(TBuildJournal& journal, const std::string& path, const std::string& backupFolder,
                 IRandom& random);

// Removes the file at `path` the way JournalFile replaces one: backed up and recorded first,
// so that undo puts it back. A failed backup raises and leaves the file.
void JournalRemoval(TBuildJournal& journal, const std::string& path,
                    const std::string& backupFolder, IRandom& random);

}  // namespace fsc
