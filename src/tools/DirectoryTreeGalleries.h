// Galleries for a directory tree: one gallery in every folder that holds pictures or has a
// subfolder with a gallery, built from the pictures where they lie and linked to each other.
#pragma once

#include <string>

#include "app/CreateGallery.h"
#include "app/ImageListPanel.h"
#include "app/Workspace.h"

namespace fsc {

inline constexpr const char* NoValidDirectoryText = "No valid directory selected.";
inline constexpr const char* NoValidFileNameText = "No valid name for files.";
// On the first line of every index page the tool builds, so that it knows its own pages.
inline constexpr const char* RecurseFileMarker = "<!-FSC_RECURSEFILE->";
// The user's gallery, kept as a gallery project in the work folder while the tool runs.
inline constexpr const char* TreeSaveFileName = "template.tpl";

// The values of the directory-tree dialog's controls.
struct DirectoryTreeOptions {
    // "Directory"
    std::string Directory;
    // "Filename"
    std::string FileName = "index.html";
    // "include subdirectories": off limits the run to the chosen folder itself.
    bool IncludeSubdirectories = true;
    // "no navigation between the directories"
    bool NoNavigation = false;
    // "allow modification of original images, e.g. for resize or watermark."
    bool AllowModify = false;
};

// The dialog's "OK". In this order: the work folder is created; EFSC_Exception "No valid
// directory selected." or "No valid name for files." (also for a name with a folder in it)
// change nothing else; ".html" is appended to a file name without it (in the options, as
// the dialog's field shows it); allowing modification while a resize switch is on asks "Are
// you sure you want to allow to modify the original images?" / "This will destroy them!"
// and No switches it off; the user's gallery is saved as a project to "template.tpl" in
// `workFolder`. Then every folder is visited bottom-up and gets its gallery through the
// create-gallery command, of its own pictures or, when it has none, of a tile for each
// subfolder gallery (AddSubfolderTile); a folder whose page of that name was not made by
// this tool only after "NAME already exists in DIR" / "and is not a file create by this
// method. Overwrite?" (No skips its whole subtree). The top folder's page, when there is
// one, is opened through the shell. Last, also when a build failed, the saved project is
// opened again: images, template, schemes and directories are the user's once more;
// galleries already made stay on disk. Returns whether any gallery was made.
// With a history folder in `services`, each folder's gallery, with the tool's files beside
// it, keeps its own undo history there, locked while it is built, and the workspace's
// journal is left to the user's gallery; an abort undoes every gallery of the run.
// Without one, the whole run adds to the workspace's journal.
bool CreateDirectoryTreeGalleries(Workspace& ws, ImageListPanel& panel,
                                  DirectoryTreeOptions& options, TCommandServices& services,
                                  const std::string& workFolder);

}  // namespace fsc
