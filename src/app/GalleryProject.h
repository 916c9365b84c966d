// Gallery projects (".gal"): the output's directories and file name in six lines, and in
// the companion folder the settings as "template.tpl" and the images as "images.set".
#pragma once

#include <string>

#include "app/ImageListPanel.h"
#include "app/Workspace.h"
#include "base/IAsk.h"
#include "base/IMessages.h"
#include "base/IProgress.h"

namespace fsc {

inline constexpr const char* ProjectTemplateFile = "template.tpl";
inline constexpr const char* ProjectImageSetFile = "images.set";

// Creates G + ".dir", brings the settings up to date (the create-gallery command's
// preparation), writes them as "template.tpl", the images with their JPEG copies as
// "images.set" (every image then points at its copy), and last the six lines of G.
void SaveGalleryProject(Workspace& ws, const std::string& path, IMessages& messages,
                        IProgress& progress);

// Reads G's lines and "images.set" (when it exists) first, so that a damaged project
// (unreadable, or without its "MAINDIR=", "IMAGEDIR=" or "HTMLFILE=" line, or a damaged
// image set) raises EUserInputError naming the file and changes nothing. Then the image
// list is replaced, the target frame emptied, "USER:" + the project's template put at the
// top of the template list, selected and applied, and every non-blank value of the three
// lines put into its field (the image directory through its own check). Last, the
// advanced options check.
void OpenGalleryProject(Workspace& ws, ImageListPanel& panel, const std::string& path, IAsk& ask,
                        IProgress& progress);

// What a saved project keeps of the workspace, as one text: the settings of every panel and
// dialog, the chosen template with its parameters and pages, the schemes and the image list
// with what the user wrote about each picture. Two workspaces with the same text save the
// same project, so comparing it with the text at the last save or open tells whether there
// is anything to lose. What the program keeps only for itself (the template dialog's
// remembered choices, a build's record of the copies it made) is left out.
std::string ProjectContents(const Workspace& ws);

// Only the HTML directory and HTML file of the project `path`, put into `ws` as opening it
// would: what names its gallery, without reading its pictures or template.
void ReadProjectGallery(Workspace& ws, const std::string& path);

}  // namespace fsc
