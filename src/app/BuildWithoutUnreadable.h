// The desktop program's way past a picture it cannot read: the build stops as always, and
// the user may build the gallery again without such pictures.
#pragma once

#include "app/CreateGallery.h"
#include "app/Workspace.h"

namespace fsc {

inline constexpr const char* BuildWithoutUnreadableQuestion =
    "Skip the pictures that cannot be read and build the gallery without them?";

// CreateGallery; when a picture cannot be read, the error is put to the user with
// BuildWithoutUnreadableQuestion. "No" raises the error as before. "Yes" undoes what the
// stopped build wrote, builds again leaving out every picture that cannot be read, and shows
// which were left out. Pictures are skipped for that one build only.
void CreateGalleryOrSkipUnreadable(Workspace& ws, TCreateMode mode, TCommandServices& services);

}  // namespace fsc
