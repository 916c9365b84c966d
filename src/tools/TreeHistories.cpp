// Each folder's undo history in a directory-tree run.
#include "tools/TreeHistories.h"

#include "base/Errors.h"
#include "engine/BuildHistory.h"
#include "engine/GalleryHistories.h"

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

void TTreeHistories::Finish() {
    if (current.empty()) return;
    const std::string gallery = current;
    current.clear();
    FinishHistoryBuild(journal);
    // A build that wrote nothing keeps no history, and leaves nothing to undo.
    if (journal.History) finished.push_back(gallery);
    journal = TBuildJournal{};
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
