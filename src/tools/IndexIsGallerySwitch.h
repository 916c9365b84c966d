// The file manager's radio buttons: whether the index page is itself the gallery or a
// separate page (frames) that links to a gallery page of its own.
#pragma once

#include <string>

#include "app/Workspace.h"
#include "base/IAsk.h"
#include "base/IMessages.h"
#include "base/IRandom.h"

namespace fsc {

// "gal" + a number from 99999 to 1099997 + "." + the default HTML extension ("html" when
// the options leave it blank).
std::string GeneratedGalleryName(IRandom& random, const std::string& defaultHTMLExt);

// Both radio buttons' handler, with the state the user clicked. Nothing happens when it
// already holds. Each direction asks first; on No the template stays as it was, so the
// refreshed buttons go back. Switching to "not the same" gives a blank gallery name a
// generated one and an empty gallery page the default skeleton, and tells so in an
// "Information" box.
void SwitchIndexIsGallery(Workspace& ws, bool indexIsGallery, IAsk& ask, IRandom& random,
                          IMessages& messages);

}  // namespace fsc
