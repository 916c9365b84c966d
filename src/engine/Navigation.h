// The navigation language: IF/ENDIF blocks of the navigation scheme, evaluated for one
// page, that link to neighbouring or all thumbnail pages or image pages.
#pragma once

#include <string>

#include "engine/TPageContext.h"

namespace fsc {

// The navigation text of `page`: for a thumbnail page (page mode) or an image page (image
// mode); empty for any other page. Unknown IF tags are noted in the journal's warnings.
std::string NavigationText(TPageContext& context, const TFSC_File& page);

// Replaces every "<!-NAVIGATION->" of the page by its navigation text.
void ApplyNavigation(TPageContext& context, TFSC_File& page);

}  // namespace fsc
