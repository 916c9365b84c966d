// META tags and the right-button script, inserted into a page's head.
#pragma once

#include <string>

#include "engine/TPageContext.h"

namespace fsc {

// The text to insert for `page` (empty when no option asks for anything).
std::string HeadText(const TPageContext& context, const TFSC_File& page);

// The meta tag that names the page's encoding, for a page that does not name it itself:
// served without a charset header, a page would otherwise be read as windows-1252.
std::string CharsetText(const std::string& text);

// Inserts the head text right after the "<HEAD ...>" tag. A page without "<HEAD" gets it
// at its start, after a document type and "<html>" tag: placing it inside the page's first
// tag would break that tag.
std::string InsertIntoHead(const std::string& text, const std::string& headText);

}  // namespace fsc
