// The undo history of one gallery on disk: a write-ahead journal of its last builds, the
// backups it names and a lock, in a folder of its own, so that a later process, or the next
// start after a crash, can still undo a build, and the build before it.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "base/TStringList.h"

namespace fsc {

// One build of a history: its undo lists as they stand after every step recorded so far,
// and every file it produced, written or found as it would write it.
struct THistoryBuild {
    // Seconds since 1970 when the build began; 0 when that was never recorded.
    long long StartTime = 0;
    // False when the build began and its end was never recorded: the process died.
    bool Finished = true;
    TStringList CreatedFiles;
    TStringList BackupFiles;
    TStringList RestoreFiles;
    TStringList CreatedFolders;
    TStringList Outputs;
};

// What a history file says: the gallery's builds, oldest first.
struct THistoryContents {
    std::string Gallery;
    std::vector<THistoryBuild> Builds;
};

inline constexpr const char* HistoryFileName = "journal";

class TBuildHistory {
public:
    // The history of `gallery` (a gallery's HTML file path) in `root`, locked for this process
    // until the object goes. Raises EUserInputError when another process holds it; the lock of
    // a process that died is free again.
    static std::shared_ptr<TBuildHistory> Lock(const std::string& root, const std::string& gallery);
    ~TBuildHistory();
    TBuildHistory(const TBuildHistory&) = delete;
    TBuildHistory& operator=(const TBuildHistory&) = delete;

    const std::string& Gallery() const { return gallery; }
    const std::string& Folder() const { return folder; }
    // Where backups of pages and template files, and of copies and thumbnails, go.
    std::string PageBackupFolder() const;
    std::string ImageBackupFolder() const;

    bool Exists() const;
    // Raises EFSC_Exception naming the damaged line; changes nothing.
    THistoryContents Read() const;

    // Each step below is on disk (written and flushed) before it returns, so the file it
    // announces may be touched right after.
    // Replaces the file by one holding `builds`, atomically. Removes the history when there
    // is none left.
    void Rewrite(const std::vector<THistoryBuild>& builds);
    void FinishBuild();
    void AddCreated(const std::string& path);
    // Written at the end of a build, all in one step: they only tell later builds what is
    // theirs.
    void AddOutputs(const TStringList& paths);
    void AddCreatedFolder(const std::string& path);
    // `backup` is flushed to disk before the pair is recorded.
    void AddBackup(const std::string& backup, const std::string& original);
    // Undo's own steps on the newest build, so that an undo cut short goes on where it
    // stopped. Created files and folders go together.
    void CreatedFilesDeleted();
    void Restored(const std::string& backup);

    // The history file first, then the backups: a history is never left naming backups
    // that are gone.
    void Remove();

private:
    TBuildHistory(std::string root, std::string gallery, int lockHandle);
    void Append(const std::vector<std::string>& fields);
    void OpenForAppend();

    std::string gallery;
    std::string folder;
    int lockHandle = -1;
    int handle = -1;
};

// The folder in `root` that keeps the history of `gallery`.
std::string HistoryFolderOf(const std::string& root, const std::string& gallery);

// A gallery path as histories compare it: absolute, without "." and "..".
std::string NormalGalleryPath(const std::string& gallery);

// Reads the history file at `path`; raises EFSC_Exception when a complete line is damaged.
// A last line cut short is the step that was being recorded when the process died: it was
// never acted on, so it is passed over.
THistoryContents ReadHistoryFile(const std::string& path);

// True while some process holds the lock of the history kept in `folder`.
bool IsHistoryLocked(const std::string& folder);

}  // namespace fsc
