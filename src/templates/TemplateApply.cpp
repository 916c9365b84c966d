// Selecting and applying a template: the dialog's list handler, "OK" and "Cancel".
#include "templates/TemplateApply.h"

#include "base/Files.h"
#include "base/Paths.h"
#include "base/Text.h"
#include "engine/InsideTemplateFolder.h"
#include "options/StyleOptions.h"
#include "templates/TemplateLibrary.h"
#include "templates/TemplateSettingsLines.h"

namespace fsc {

namespace {

void Notify(const TemplateContext& context) {
    if (context.TemplateChanged) context.TemplateChanged();
}

void ShowTemplateName(TemplateContext& context) {
    const TemplateSelection& selection = context.Selection;
    context.Main.TemplateName = selection.UseTemplate ? selection.SelectedEntry() : NoTemplateName;
}

// The names are fixed, but a link in the companion folder could still point at any file.
void LoadCompanionSchemes(TemplateContext& context, const std::string& templatePath) {
    const std::string folder = CompanionFolder(templatePath);
    const TTemplateFolders sourceFolders =
        FoldersOfTemplate(ExtractFileDir(templatePath), context.LibraryFolder);
    const std::pair<const char*, int> files[] = {{NavigationSchemeFile, SchemeNavigation},
                                                 {ImageSchemeFile, SchemeImage},
                                                 {ThumbSchemeFile, SchemeThumbnail},
                                                 {GallerySchemeFile, SchemeGallery}};
    for (const auto& [name, kind] : files) {
        const std::string path = JoinPath(folder, name);
        if (!FileExists(path)) continue;
        RequireTemplateSource(sourceFolders, path, "Template file \"" + path + "\"");
        LoadSchemeFile(context.Schemes.OfKind(kind), path);
    }
}

// Steps that read the template file itself.
void ApplyTemplateFile(TemplateContext& context, const std::string& path) {
    context.Current = TTemplate::Create(path, ReadSettingsOf(context));
    Notify(context);
    context.Main.UseTargetFrame = false;
    context.Main.TargetFrame.clear();
    ResetSlideShowOptions(context.SlideShow);
    // Files written before the setting existed do not name it; they get the safe default.
    context.Special.RemoveLocation = true;
    // The user's values win over the defaults the file declares.
    context.Current.Parameters = context.Selection.DialogTemplate.Parameters;
    LoadCompanionSchemes(context, path);
    ApplySettingsLines(context, ExtractFileDir(path), ReadFileBytes(path),
                       TLinesFrom::TemplateFile);
}

}  // namespace

void SelectTemplate(TemplateContext& context, TTemplateSender sender, const TSelectionView& view,
                    IAsk& ask) {
    TemplateSelection& selection = context.Selection;
    const bool asked =
        sender != TTemplateSender::MainWindow && sender != TTemplateSender::DirectoryTreeTool;
    if (view.MainWindowVisible && asked &&
        !ask.Ask("You selected a new template.", "Are you sure?")) {
        selection.ItemIndex = selection.FocusItemIndex;
        return;
    }
    selection.Changed = true;
    selection.UseTemplate = true;
    const std::string entry = selection.SelectedEntry();
    selection.PreviewFile = TemplatePreviewFile(context.LibraryFolder, entry);
    const std::string path = TemplatePath(context.LibraryFolder, entry);
    if (!entry.empty() && FileExists(path)) {
        selection.Description = TemplateDescription(LoadLines(path));
        selection.DialogTemplate = TTemplate::Create(path, ReadSettingsOf(context));
    } else {
        selection.Description.clear();
    }
    ShowTemplateName(context);
    if (view.PanelInMainWindow) ApplyTemplate(context, TTemplateSender::TemplateDialog);
    Notify(context);
}

void ApplyTemplate(TemplateContext& context, TTemplateSender sender) {
    TemplateSelection& selection = context.Selection;
    if (!selection.Changed) return;
    selection.Changed = false;
    selection.CancelEnabled = true;
    context.Main.UseDefaultExt = false;
    context.Main.DefaultExt = "html";
    const std::string entry = selection.SelectedEntry();
    if (!selection.UseTemplate || Trim(entry).empty()) {
        selection.UseTemplate = false;
        context.Current = TTemplate::Create(context.ImageHTML.Text);
    }
    ShowTemplateName(context);
    context.Current.Parameters = selection.DialogTemplate.Parameters;
    if (sender == TTemplateSender::MainWindow || entry.empty()) return;
    // With "no Template" chosen, an entry still shown in the list is read all the same.
    const std::string path = TemplatePath(context.LibraryFolder, entry);
    if (FileExists(path)) ApplyTemplateFile(context, path);
}

void CancelTemplateSelection(TemplateContext& context, const TSelectionView& view, IAsk& ask) {
    TemplateSelection& selection = context.Selection;
    // Nothing to take back: going back would only ask whether to select a new template.
    if (!selection.Changed && selection.ItemIndex == selection.SavedItemIndex &&
        selection.UseTemplate == selection.SavedUseTemplate)
        return;
    selection.DialogTemplate = TTemplate::Create(context.ImageHTML.Text);
    selection.UseTemplate = selection.SavedUseTemplate;
    selection.ItemIndex = selection.SavedItemIndex;
    selection.FocusItemIndex = selection.SavedItemIndex;
    if (selection.ItemIndex >= 0) {
        SelectTemplate(context, TTemplateSender::TemplateDialog, view, ask);
        // The list handler checks "use Template"; Cancel puts back what was remembered.
        selection.UseTemplate = selection.SavedUseTemplate;
        ShowTemplateName(context);
    }
}

}  // namespace fsc
