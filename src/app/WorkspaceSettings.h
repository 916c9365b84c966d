// Every settings struct of the workspace as "Struct.Field=value" lines: one walk over each
// struct's list of fields, so that a project notices a change of any setting and no field
// added later can be left out.
#pragma once

#include <string>

#include "app/Workspace.h"

namespace fsc {

// Walks every settings struct of the workspace with its name ("Main", "Table", ...).
template <class Ws, class Visitor>
void VisitWorkspaceSettings(Ws& ws, Visitor&& visit) {
    const auto in = [&visit](const char* structName) {
        return
            [&visit, structName](const char* name, auto& field) { visit(structName, name, field); };
    };
    VisitMainSettings(ws.Main, in("Main"));
    VisitTableOptions(ws.Table, in("Table"));
    VisitListOptions(ws.List, in("List"));
    VisitParaOptions(ws.Para, in("Para"));
    VisitCollageOptions(ws.Collage, in("Collage"));
    VisitSlideShowOptions(ws.SlideShow, in("SlideShow"));
    VisitImageHTMLOptions(ws.ImageHTML, in("ImageHTML"));
    VisitSpecialOptions(ws.Special, in("Special"));
    VisitWatermarkOptions(ws.Watermark, in("Watermark"));
    VisitTemplateSelection(ws.Selection, in("Selection"));
    VisitSchemeWizardSettings(ws.SchemeWizard, in("SchemeWizard"));
}

// Line lists are written as comma text; flags as 1 or 0; choices by their number.
TStringList WorkspaceSettingLines(const Workspace& ws);

}  // namespace fsc
