// Guards the user's files against a template: a template may come from anywhere, and what
// it reads can end up in a published gallery, so it reads only files it brought along.
#pragma once

#include <string>

namespace fsc {

// The folders a template may read from: its own (the one holding the ".tpl" file, and so
// its companion folder) and the template library, whose files every template may share.
struct TTemplateFolders {
    std::string Own;
    // "" when the library is not known.
    std::string Library;
};

// The folders of a template that lies in `templateFolder` ("" for the working folder).
TTemplateFolders FoldersOfTemplate(const std::string& templateFolder, const std::string& library);

// True when `path` lies inside `folder` (or is it), both taken as the system would open
// them: from the working folder, with ".", ".." and symbolic links resolved as far as they
// exist. An empty folder holds nothing; a path that cannot be resolved lies nowhere.
bool LiesInsideFolder(const std::string& path, const std::string& folder);

// Raises EFSC_Exception with the message `what` + " lies outside the template's folder."
// unless `path` lies inside one of the folders. Whether the file exists does not matter.
void RequireTemplateSource(const TTemplateFolders& folders, const std::string& path,
                           const std::string& what);

}  // namespace fsc
