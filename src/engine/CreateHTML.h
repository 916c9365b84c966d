// Step 4 of a build: the page list, the assembly passes and the saving of every page.
#pragma once

#include <string>
#include <vector>

#include "engine/TBuildContext.h"

namespace fsc {

// The pages of a build in their order: the template's extra pages, one thumbnail page per
// page number, the index page when it is not the gallery, and with LinkToHTML one image page
// per image (named "image_" + Name). Expects PageCount to be set.
std::vector<TFSC_File> PageList(const TThumbnailArray& thumbs, const TFSC_HTML& html,
                                const TTemplate& tpl);

// Where pass 3 saves a page; a thumbnail page's name is numbered first.
std::string PagePath(const TFSC_HTML& html, const TFSC_File& page);

// The cancel check, PerPage and PageCount, the image directory as a URL prefix, the CSS
// class attributes, the page list, passes 1 and 2, then each page journalled (with a backup
// of what it replaces) and saved with CR LF line ends, its FileName becoming the bare name
// written. A page that cannot be saved raises naming it; earlier pages stay journalled.
void CreateHTML(TBuildContext& context);

}  // namespace fsc
