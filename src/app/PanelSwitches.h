// The small rules of the settings panels' switches: the expert warning of "use as default
// HTML ext." and the thumbnail size buttons.
#pragma once

#include "app/Workspace.h"
#include "base/IMessages.h"

namespace fsc {

inline constexpr const char* DefaultExtWarningText =
    "This option is only for experts. Uncheck the box, if you're not sure. Please make sure, "
    "the extension you use is valid in your environment.";

// Clicking "use as default HTML ext.": checking it warns (the box stays checked), except
// while the directory-tree gallery dialog is showing.
void ClickUseDefaultExt(Workspace& ws, bool checked, bool treeDialogShowing, IMessages& messages);

// The buttons "large", "medium" and "small": 100, 70 or 40 for both sides.
enum class TThumbPreset { Large, Medium, Small };
void ChooseThumbPreset(Workspace& ws, TThumbPreset preset);

}  // namespace fsc
