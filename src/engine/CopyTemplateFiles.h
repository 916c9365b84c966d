// Step 1 of a build: the HTML and image directories, and the template's plain files.
#pragma once

#include "engine/TBuildContext.h"

namespace fsc {

// Creates the HTML directory with its parents. When an entry directly in it matches the
// image directory only without regard to case, asks through IAsk
//   Image directory "<ImageDir>" does already exists, but is called "<actual>".
//   This will not work on a webserver with case-sensitive filenames! Change image dir to <actual>
// and on Yes takes the name found on disk. Then creates the image directory if missing,
// and copies each plain template file to HTMLDir/SubDir/FileName (folders made as needed),
// journalled and backed up first. Raises EFSC_Exception naming the file when a directory
// cannot be made or a copy fails; what was copied until then stays journalled.
void CopyTemplateFiles(TBuildContext& context);

// The question's two lines for the spelling found on disk.
std::string ImageDirCaseStatement(const std::string& imageDir, const std::string& actual);
std::string ImageDirCaseQuestion(const std::string& actual);

}  // namespace fsc
