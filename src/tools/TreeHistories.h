// The undo histories of a directory-tree run: each folder's gallery keeps its own, as a
// gallery built alone does, so that a page the run replaced is backed up and one folder's
// gallery can be undone by itself.
#pragma once

#include <string>
#include <vector>

#include "base/IMessages.h"
#include "base/IRandom.h"
#include "engine/TBuildJournal.h"
#include "engine/TThumbnail.h"

namespace fsc {

class TTreeHistories {
public:
    // `root` is where the histories are kept. Empty keeps one journal in memory for the
    // whole run instead. Otherwise the workspace's `journal` (the user's own gallery) is put
    // aside while the run lasts and given back when this object goes.
    TTreeHistories(TBuildJournal& journal, std::string root);
    ~TTreeHistories();
    TTreeHistories(const TTreeHistories&) = delete;
    TTreeHistories& operator=(const TTreeHistories&) = delete;

    // Before the first file of the gallery `gallery` (its HTML file path) is written: ties
    // the journal to its history, locked for this process; EUserInputError when another
    // process holds it. Later calls for the same gallery change nothing.
    void Begin(const std::string& gallery);
    // After the gallery's last file, when its build went well: what the gallery's earlier
    // builds wrote and this one did not is removed, then the build is finished as below.
    // Returns the lines of Finish.
    std::vector<std::string> Complete(const TThumbnailArray& pictures, IRandom& random);
    // After the gallery's last file, however its build ended: the history is finished and
    // let go, so that another process may undo it. Returns a line for each oldest build its
    // stack dropped.
    std::vector<std::string> Finish();
    // Where the backups of files written beside the build go.
    std::string BackupFolder(const std::string& withoutHistory) const;
    // After an abort: the galleries this run finished before are undone as well, the latest
    // first, so that the tree is as it was before the run. A failing undo is shown and the
    // others go on.
    void UndoFinishedGalleries(IMessages& messages);

private:
    TBuildJournal& journal;
    TBuildJournal usersJournal;
    const std::string root;
    std::string current;
    std::vector<std::string> finished;
};

}  // namespace fsc
