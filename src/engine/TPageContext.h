// Everything the page generators read and update while they make the pages of one build.
#pragma once

#include <string>

#include "base/IProgress.h"
#include "base/IRandom.h"
#include "engine/TBuildJournal.h"
#include "engine/TFSC_HTML.h"
#include "engine/TFSC_Images.h"
#include "engine/TTemplate.h"
#include "engine/TThumbnail.h"

namespace fsc {

// By the time pages are made, HTML.ImageDir carries its "/" (see ImageDirPrefix) and the
// template's CSS fields are class attributes (see WrapCSSFields).
struct TPageContext {
    TThumbnailArray& Thumbs;
    TFSC_Images& Images;
    TFSC_HTML& HTML;
    TTemplate& Template;
    TBuildJournal& Journal;
    IRandom& Random;
    IProgress& Progress;
    // Where backups of overwritten collage pictures go.
    std::string BackupFolder;
    // What leads from the thumbnail page being made back to the HTML directory ("../" for
    // a gallery file in a folder): links in its cells are relative to the page itself.
    std::string UpToHTMLDir = {};
};

}  // namespace fsc
