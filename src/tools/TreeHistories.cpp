// Each folder's undo history in a directory-tree run.
#include "tools/TreeHistories.h"

#include "base/Errors.h"
#include "engine/BuildHistory.h"
#include "engine/GalleryHistories.h"
#include "engine/StaleOutputs.h"

namespace fsc {

TTreeHistories::TTreeHistories(TBuildJournal& journal, std::string root)
    : journal(journal), root(std::move(root)) {
    if (this->root.empty()) return;
    // The tree's files must not land in the history of the user's gallery, nor the user's
    // gallery be undone with a folder of the tree.
    usersJournal = std::move(journal);
    journal = TBuildJournal{};
}

TTreeHistories::~TTreeHistories() {
    if (!root.empty()) journal = std::move(usersJournal);
}

void TTreeHistories::Begin(const std::string& gallery) {
    if (root.empty() || current == gallery) return;
    journal = TBuildJournal{};
    AttachHistory(journal, root, gallery);
    current = gallery;
}

std::vector<std::string> TTreeHistories::Complete(const TThumbnailArray& pictures,
                                                  IRandom& random) {
    if (!current.empty() && journal.History)
        RemoveStaleOutputs(journal, journal.History->PageBackupFolder(), random, pictures);
    return Finish();
}

std::vector<std::string> TTreeHistories::Finish() {
    if (current.empty()) return {};
    const std::string gallery = current;
    current.clear();
    const bool wroteSomething = !journal.HasNothingToUndo();
    std::vector<std::string> notes = FinishHistoryBuild(journal);
    // A build that wrote nothing adds nothing to undo.
    if (wroteSomething) finished.push_back(gallery);
    journal = TBuildJournal{};
    return notes;
}

std::string TTreeHistories::BackupFolder(const std::string& withoutHistory) const {
    return journal.History ? journal.History->PageBackupFolder() : withoutHistory;
}

void TTreeHistories::UndoFinishedGalleries(IMessages& messages) {
    for (auto gallery = finished.rbegin(); gallery != finished.rend(); ++gallery) {
        try {
            UndoGalleryHistory(root, *gallery);
        } catch (const EFscError& error) {
            messages.ShowError(error.what());
        }
    }
    finished.clear();
}

}  // namespace fsc
