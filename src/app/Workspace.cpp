// The workspace's start values that depend on the user's folders and options.
#include "app/Workspace.h"

#include "base/DesktopFolder.h"
#include "base/Text.h"
#include "templates/TemplateLibrary.h"

namespace fsc {

Workspace::Workspace(const ProgramOptions& options) : Program(options) {
    Main.HTMLDir = DesktopFolder();
    if (Program.UseHTMLDir && !Trim(Program.HTMLDir).empty()) Main.HTMLDir = Program.HTMLDir;
    ReloadHTMLTemplateEditor(TemplateEditor, Template);
}

TemplateContext Workspace::Templates() {
    return TemplateContext{
        Main,      Table,           List,
        Para,      Collage,         SlideShow,
        ImageHTML, Special,         Watermark,
        Schemes,   Template,        Selection,
        Program,   TemplateLibrary, [this] { ReloadHTMLTemplateEditor(TemplateEditor, Template); }};
}

Workspace StartupWorkspace(const ProgramOptions& options) {
    Workspace ws(options);
    ws.Schemes = CreateStartupSchemes();
    ws.TemplateLibrary = TemplateLibraryFolder();
    ws.Selection.Entries = ListTemplates(ws.TemplateLibrary);
    return ws;
}

}  // namespace fsc
