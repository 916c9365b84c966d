// Turning the workspace's panels and dialogs into the settings of a build.
#pragma once

#include <string>

#include "app/Workspace.h"
#include "templates/SaveAsTemplate.h"

namespace fsc {

// Who starts a build: the directory-tree tool gets its own thumbnail suffix.
enum class TBuildCaller { MainWindow, SettingsPanels, DirectoryTreeTool };

// The image and page settings as the panels, the Special window, the watermark editor and
// the schemes give them.
void FillBuildSettings(const Workspace& ws, TBuildCaller caller, TFSC_Images& images,
                       TFSC_HTML& html);

// The panel values a saved template keeps beside those of a build.
TKeptSettings KeptSettingsOf(const Workspace& ws);

// The option dialogs' values into the current template's style fields, and the HTML file
// as its gallery file name.
void CopyOptionsToTemplate(Workspace& ws);

}  // namespace fsc
