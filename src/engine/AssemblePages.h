// The two passes of page assembly over a build's page list.
#pragma once

#include "engine/TPageContext.h"

namespace fsc {

// Pass 1 gives every thumbnail page its gallery and every image page its image, in list
// order; pass 2 then adds navigation and finishing to every page. Thumbnail cells rewrite
// the images' links in pass 1, which the image pages' navigation relies on in pass 2.
// Writes nothing but collage pictures (see CollageHTML).
void AssemblePages(TPageContext& context);

}  // namespace fsc
