// The create-gallery command: the workspace's panels, dialogs, schemes and template turned
// into the settings of a build, the build itself, and the finished gallery opened.
#pragma once

#include <functional>
#include <string>

#include "app/Workspace.h"
#include "base/IMessages.h"
#include "base/IShell.h"
#include "engine/TBuildContext.h"

namespace fsc {

inline constexpr const char* NoHTMLFileText = "No HTML file was selected.";
inline constexpr const char* NoImagesText = "No images! Please add images to the gallery.";
inline constexpr const char* WizardNoPicturesText = "No Pictures selected!";
inline constexpr const char* WizardNoHTMLFileText =
    "No HTML-File selected! Please select a filename for the gallery. If the file exists, "
    "Lumetta will insert the gallery in the file, unless a template is used.";

inline constexpr const char* NoWatermarkTextText =
    "The watermark is switched on but has no text. Enter a text in the watermark editor or "
    "switch the watermark off.";

// True when the build would stamp a watermark without any text on the pictures.
bool WatermarkWithoutText(const Workspace& ws);

// Who runs the command. Preparation fills the settings without checks and without a build,
// for saving a template or a gallery project.
enum class TCreateMode { MainWindow, SettingsPanels, DirectoryTreeTool, Preparation };

// The outside world of a build, plus the message boxes and the shell that opens the result.
struct TCommandServices {
    TBuildServices Build;
    IMessages& Messages;
    IShell& Shell;
    // Where backups of overwritten pages and of overwritten image copies go (emptied at
    // exit); normally both TempFolder(), which is the process's own.
    std::string BackupFolder;
    std::string CopyBackupFolder;
    // Where each gallery's undo history is kept on disk, with its backups, which then take
    // the place of the two folders above; normally HistoryFolder(). Empty keeps the history
    // in memory only. The directory-tree tool gives each folder's gallery its own history
    // there and ties and finishes it itself, around the files it writes beside the gallery.
    std::string HistoryFolder;
};

// The options of the directory-tree tool that reach its builds.
struct TTreeToolRun {
    // "allow modification of original images, e.g. for resize or watermark."
    bool AllowModifyOriginals = false;
};

// In this order: the HTML file check (no existing-file question); in the build modes the
// checks "No HTML file was selected." (unless "no HTML, only images"), "No images!
// Please add images to the gallery." and the image directory staying inside the HTML
// directory; the undo history (a new HTML file name forgets it, except for the
// directory-tree tool; the same HTML directory removes the previous pages) and the last
// file and directory remembered in every mode; fresh settings objects filled
// from the workspace; the template choice applied (the selection dialog's "OK"); the style
// options copied into the current template; in the build modes a watermark switched on without
// text stops the command with NoWatermarkTextText; then, in the build modes, BuildGallery and,
// unless started by the directory-tree tool or with "no HTML, only images", the gallery's
// HTML file opened through the shell: after the gallery's first build in this run, and
// after a rebuild only with the program option OpenAfterRebuild. Errors of the build pass on with
// what it wrote kept in the journal for Undo.
void CreateGallery(Workspace& ws, TCreateMode mode, TCommandServices& services,
                   const TTreeToolRun& tree = {});

// The preparation mode alone: what saving a template or a project runs first.
void PrepareGallerySettings(Workspace& ws, IMessages& messages);

// "Save Settings As Template": the preparation mode (the HTML file check, which may show
// its "ERROR" box, and the template choice still pending on the Template tab applied),
// then the settings, the template and the schemes written as the template file `path`
// with its companion folder.
void SaveWorkspaceAsTemplate(Workspace& ws, const std::string& path, IMessages& messages);

// The settings panels' "Let's go" after the wizard: "No Pictures selected!" without
// images; without an HTML file name the HTML file dialog runs (`selectHTMLFile`) and the
// command stops, failing when the name is still empty; otherwise an existing history may
// be undone after "Remove the previously computed gallery before computing the new one?",
// then the gallery is created.
void WizardCreateGallery(Workspace& ws, TCommandServices& services,
                         const std::function<void()>& selectHTMLFile);

// The file the finished gallery is opened from: the HTML directory and the HTML file.
std::string GalleryFilePath(const Workspace& ws);

}  // namespace fsc
