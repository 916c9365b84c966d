// Undo of created galleries: removing what the newest build wrote and putting back what it
// overwrote or removed, and forgetting a history.
#pragma once

#include "base/TStringList.h"
#include "engine/TBuildJournal.h"
#include "engine/TThumbnail.h"

namespace fsc {

inline constexpr const char* NothingToUndoText = "Nothing there to undo!";

// Deletes every file of the created-file list (files that cannot be deleted are passed
// over; directories never go), then moves the backups back over their original paths,
// latest first, so that a path backed up twice ends with the oldest contents. The build
// then leaves its history's stack; the one before it is next.
// Raises EUserInputError "Nothing there to undo!" and changes nothing when the created-file,
// backup and created-folder lists are all empty, and EFSC_Exception "Clear Error (Code:Restore)"
// when the backup and restore lists are out of step. A backup that cannot be moved back is not
// deleted: it stays in the lists, so that a later undo can try again, and EFSC_Exception
// names the file and where its backup lies.
void Undo(TBuildJournal& journal);

// Empties the created-file list, deletes every backup that still exists and empties the
// backup and restore lists; the created files stay on disk. Raises "Clear Error
// (Code:Restore)" when the backup and restore lists are out of step, before deleting
// anything.
void Forget(TBuildJournal& journal);

// The main window's "Undo. Delete the created Gallery.": Undo, then every image's copy and
// thumbnail times are cleared, so that the next build backs up again what it finds in its
// way. Nothing is cleared when Undo fails with "Nothing there to undo!".
void UndoGallery(TBuildJournal& journal, TThumbnailArray& thumbs);

}  // namespace fsc
