// Time of undoing a large gallery: the copies, thumbnails and picture pages of N photos
// (default 5000) recorded in an undo history on disk, as a build records them, half of them
// replacing files that were there before, then one undo. Undo reads each folder once, so
// its time grows with the number of files, not with its square.
//
//   undo_benchmark [photos]
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "base/Files.h"
#include "base/Paths.h"
#include "engine/BuildHistory.h"
#include "engine/GalleryHistories.h"
#include "engine/TBuildJournal.h"
#include "engine/Undo.h"

namespace {

using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;

double SecondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// The files of one photo's share of a gallery; every second one replaces the user's file.
void RecordPhoto(fsc::TBuildJournal& journal, const std::string& images, int n) {
    const std::string name = "photo" + std::to_string(n);
    for (const std::string& file :
         {name + ".jpg", name + "_th.jpg", "image_" + name + ".jpg.html"}) {
        const std::string path = fsc::JoinPath(images, file);
        if (n % 2 == 0) {
            const std::string backup = journal.History->ImageBackupFolder() + "/" + file;
            fsc::WriteFileBytes(backup, "the user's " + file);
            journal.AddBackup(backup, path);
        }
        journal.AddCreated(path);
        fsc::WriteFileBytes(path, "written by the build");
    }
}

}  // namespace

int main(int argc, char** argv) {
    const int photos = argc > 1 ? std::atoi(argv[1]) : 5000;
    const fs::path root =
        fs::temp_directory_path() / ("fsc-undo-bench-" + std::to_string(::getpid()));
    const std::string gallery = (root / "site").string();
    const std::string images = fsc::JoinPath(gallery, "images");
    fsc::ForceDirectories(images);

    fsc::TBuildJournal journal;
    fsc::AttachHistory(journal, (root / "history").string(), gallery + "/index.html");
    fsc::ForceDirectories(journal.History->ImageBackupFolder());
    const Clock::time_point recorded = Clock::now();
    for (int n = 0; n < photos; ++n) RecordPhoto(journal, images, n);
    fsc::FinishHistoryBuild(journal);
    const double recordSeconds = SecondsSince(recorded);

    const Clock::time_point undone = Clock::now();
    fsc::Undo(journal);
    const double undoSeconds = SecondsSince(undone);
    std::printf("%d photos, %zu files: recording %.2f s, undo %.2f s\n", photos,
                std::size_t(photos) * 3, recordSeconds, undoSeconds);
    fs::remove_all(root);
    return 0;
}
