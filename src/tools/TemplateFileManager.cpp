// Adding, removing and editing the files a template adds to a gallery.
#include "tools/TemplateFileManager.h"

#include "base/Files.h"
#include "base/HTMLFileTest.h"
#include "base/Paths.h"
#include "templates/HTMLTemplateEditor.h"
#include "tools/FileManagerRows.h"

namespace fsc {

namespace {

// Which entry a grid row shows: an extra page, a plain copy, or nothing (header, divider,
// beyond the last row). HTML rows come first, so the index within each kind follows.
struct TRowEntry {
    bool IsPage = false;
    std::size_t Index = 0;
    bool Valid = false;
};

TRowEntry EntryOfRow(const TTemplate& tpl, int row) {
    if (row < FileManagerFirstEntryRow) return {};
    const std::size_t entry = std::size_t(row - FileManagerFirstEntryRow);
    if (entry < tpl.ExtraPages.size()) return {true, entry, true};
    const std::size_t copy = entry - tpl.ExtraPages.size();
    if (copy < tpl.CopyFiles.size()) return {false, copy, true};
    return {};
}

// The page list of the HTML template editor names the extra pages, so it follows every change.
void ReloadEditor(Workspace& ws) { ReloadHTMLTemplateEditor(ws.TemplateEditor, ws.Template); }

}  // namespace

void AddTemplateFile(Workspace& ws, const std::optional<std::string>& chosenFile,
                     IFileParametersDialog& dialog) {
    ReloadEditor(ws);
    if (!chosenFile) return;
    std::string directory;
    std::string fileName = ExtractFileName(*chosenFile);
    if (!dialog.Execute(directory, fileName)) return;
    if (IsHTMLExtension(ws.Program.HTMLExt, ExtractFileExt(*chosenFile))) {
        TFSC_File page;
        page.SourceFile = *chosenFile;
        page.SubDir = directory;
        page.FileName = fileName;
        page.Lines = LoadLines(*chosenFile);
        ws.Template.ExtraPages.push_back(std::move(page));
    } else {
        ws.Template.CopyFiles.push_back({directory, fileName, *chosenFile});
    }
    ReloadEditor(ws);
}

void RemoveTemplateFile(Workspace& ws, int row, IAsk& ask) {
    if (!ask.Ask("This will remove this file from the list.", "Are you sure?")) return;
    ReloadEditor(ws);
    const TRowEntry entry = EntryOfRow(ws.Template, row);
    if (!entry.Valid) return;
    if (entry.IsPage) {
        ws.Template.ExtraPages.erase(ws.Template.ExtraPages.begin() + std::ptrdiff_t(entry.Index));
    } else {
        ws.Template.CopyFiles.erase(ws.Template.CopyFiles.begin() + std::ptrdiff_t(entry.Index));
    }
    ReloadEditor(ws);
}

void EditTemplateFile(Workspace& ws, int row, IFileParametersDialog& dialog) {
    ReloadEditor(ws);
    const TRowEntry entry = EntryOfRow(ws.Template, row);
    if (!entry.Valid) return;
    if (entry.IsPage) {
        TFSC_File& page = ws.Template.ExtraPages[entry.Index];
        std::string directory = page.SubDir, fileName = page.FileName;
        if (!dialog.Execute(directory, fileName)) return;
        page.SubDir = directory;
        page.FileName = fileName;
    } else {
        TTemplateFile& file = ws.Template.CopyFiles[entry.Index];
        std::string directory = file.SubDir, fileName = file.FileName;
        if (!dialog.Execute(directory, fileName)) return;
        file.SubDir = directory;
        file.FileName = fileName;
    }
    ReloadEditor(ws);
}

void SetGalleryPageName(Workspace& ws, const std::string& name) {
    ws.Template.GalleryPageName = name;
}

}  // namespace fsc
