// The small rules of the settings panels' switches.
#include "app/PanelSwitches.h"

namespace fsc {

void ClickUseDefaultExt(Workspace& ws, bool checked, bool treeDialogShowing, IMessages& messages) {
    ws.Main.UseDefaultExt = checked;
    if (checked && !treeDialogShowing) messages.ShowWarning(DefaultExtWarningText);
}

void ChooseThumbPreset(Workspace& ws, TThumbPreset preset) {
    const int side = preset == TThumbPreset::Large ? 100 : preset == TThumbPreset::Medium ? 70 : 40;
    ws.Main.ThumbWidth = side;
    ws.Main.ThumbHeight = side;
}

}  // namespace fsc
