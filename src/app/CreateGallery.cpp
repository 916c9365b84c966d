// The create-gallery command.
#include "app/CreateGallery.h"

#include <algorithm>

#include "app/BuildSettings.h"
#include "app/BuildWithoutUnreadable.h"
#include "app/DirectoryFields.h"
#include "app/OwnOutputNames.h"
#include "base/Errors.h"
#include "base/Files.h"
#include "base/Paths.h"
#include "base/Text.h"
#include "engine/BuildGallery.h"
#include "engine/BuildHistory.h"
#include "engine/GalleryHistories.h"
#include "engine/InsideHTMLDir.h"
#include "engine/StaleOutputs.h"
#include "engine/Undo.h"
#include "templates/SaveAsTemplate.h"
#include "templates/TemplateApply.h"
#include "templates/TemplateLibrary.h"

namespace fsc {

namespace {

bool IsBuild(TCreateMode mode) { return mode != TCreateMode::Preparation; }

TBuildCaller CallerOf(TCreateMode mode) {
    switch (mode) {
        case TCreateMode::SettingsPanels:
            return TBuildCaller::SettingsPanels;
        case TCreateMode::DirectoryTreeTool:
            return TBuildCaller::DirectoryTreeTool;
        case TCreateMode::MainWindow:
        case TCreateMode::Preparation:
            break;
    }
    return TBuildCaller::MainWindow;
}

void CheckInput(const Workspace& ws) {
    if (Trim(ws.Main.HTMLFile).empty() && !ws.Main.NoHTML) throw EUserInputError(NoHTMLFileText);
    if (ws.Images.empty()) throw EUserInputError(NoImagesText);
    // Checked before the history drops the previous pages, so a refused build changes nothing.
    RequireInsideHTMLDir(ws.Main.ImageDir, "Image directory \"" + ws.Main.ImageDir + "\"");
}

// Each gallery keeps its history on disk, which the build ties to. Without one there is only
// the journal in memory: a build into another HTML file can no longer undo the previous
// gallery.
void KeepOrDropHistory(Workspace& ws, TCreateMode mode) {
    if (IsBuild(mode) && mode != TCreateMode::DirectoryTreeTool && !ws.Journal.History &&
        ws.Main.HTMLFile != ws.LastHTMLFile) {
        Forget(ws.Journal);
        ws.Journal.EarlierOutputs.clear();
    }
    ws.LastHTMLFile = ws.Main.HTMLFile;
    ws.LastHTMLDir = ws.Main.HTMLDir;
}

void FreshSettings(Workspace& ws, TCreateMode mode, const TTreeToolRun& tree) {
    // The new pair is complete before the old one goes, so an upload never sees half of it.
    auto images = std::make_unique<TFSC_Images>();
    auto html = std::make_unique<TFSC_HTML>();
    FillBuildSettings(ws, CallerOf(mode), *images, *html);
    images->KeepOriginals = mode == TCreateMode::DirectoryTreeTool && !tree.AllowModifyOriginals;
    images->SkipBadPictures = ws.SkipBadPictures;
    ws.LastImages = std::move(images);
    ws.LastHTML = std::move(html);
}

// The selection dialog's pending choice takes effect as its "OK" would; an applied
// choice is left alone, so edits made since then survive.
void BringTemplateUpToDate(Workspace& ws) {
    TemplateContext context = ws.Templates();
    ApplyTemplate(context, TTemplateSender::TemplateDialog);
    // A template chosen but never read (the current one is still the untouched start-up
    // template) is read from the path the template name field gives.
    const std::string path = TemplatePath(ws.TemplateLibrary, ws.Main.TemplateName);
    const bool untouched =
        ws.Template.Lines.empty() && ws.Template.IndexPage == DefaultPageSkeleton();
    if (ws.Selection.UseTemplate && untouched && FileExists(path)) {
        ws.Template = TTemplate::Create(path, ReadSettingsOf(context));
        ReloadHTMLTemplateEditor(ws.TemplateEditor, ws.Template);
    }
    CopyOptionsToTemplate(ws);
}

void Prepare(Workspace& ws, TCreateMode mode, IMessages& messages, const TTreeToolRun& tree) {
    class TNoQuestions final : public IAsk {
    public:
        bool Ask(const std::string&, const std::string&) override { return false; }
    } noQuestions;
    CheckHTMLFile(ws, THTMLFileCheck::CreateGallery, messages, noQuestions);
    if (IsBuild(mode)) CheckInput(ws);
    KeepOrDropHistory(ws, mode);
    FreshSettings(ws, mode, tree);
    BringTemplateUpToDate(ws);
    // Checked once the template had its say: a build that stamps nothing must not pass for
    // one that marked the pictures.
    if (IsBuild(mode) && WatermarkWithoutText(ws)) throw EUserInputError(NoWatermarkTextText);
}

// The directory-tree tool ties each folder's gallery to its history itself and finishes it
// after the files it writes beside the gallery.
bool CallerKeepsHistory(TCreateMode mode) { return mode == TCreateMode::DirectoryTreeTool; }

// One message for all of them: a window shows one box, a terminal one line each.
void ShowLines(const std::vector<std::string>& warnings, IMessages& messages) {
    if (warnings.empty()) return;
    std::string text = warnings.front();
    for (std::size_t i = 1; i < warnings.size(); ++i) text += "\n" + warnings[i];
    messages.ShowMessage(text);
}

// No floating-point traps are enabled, so a floating-point fault raises nothing to recover
// from here; the build refuses the sizes that could divide by zero with a message instead.
// Every error therefore passes on, and what was written stays in the journal for Undo.
void Build(Workspace& ws, TCreateMode mode, TCommandServices& services) {
    ShowLines(GiveOwnOutputNames(ws.Images, *ws.LastImages, *ws.LastHTML), services.Messages);
    const std::shared_ptr<TBuildHistory>& history = ws.Journal.History;
    TBuildContext context{ws.Images,
                          *ws.LastImages,
                          *ws.LastHTML,
                          ws.Template,
                          ws.Journal,
                          services.Build,
                          ws.Program.JPEGCompression,
                          history ? history->PageBackupFolder() : services.BackupFolder,
                          history ? history->ImageBackupFolder() : services.CopyBackupFolder,
                          ws.CacheFolder,
                          ws.Program.WorkerThreads};
    try {
        BuildGallery(context);
        for (const std::string& picture : ws.Journal.LeftOut) ws.LeftOutPictures.push_back(picture);
        // A tree folder's build is complete only with the files the tool writes beside it.
        if (!CallerKeepsHistory(mode)) {
            RemoveStaleOutputs(ws.Journal, context.BackupFolder, services.Build.Random, ws.Images);
        }
    } catch (...) {
        // The process lives on and knows what was written: not a build that never ended.
        if (!CallerKeepsHistory(mode)) FinishHistoryBuild(ws.Journal);
        throw;
    }
    if (!CallerKeepsHistory(mode)) ShowLines(FinishHistoryBuild(ws.Journal), services.Messages);
}

// The history goes to disk before the first file is touched; a second process building
// the same gallery is refused here.
void TieHistory(Workspace& ws, TCreateMode mode, const TCommandServices& services) {
    if (CallerKeepsHistory(mode) || services.HistoryFolder.empty()) return;
    AttachHistory(ws.Journal, services.HistoryFolder, GalleryFilePath(ws));
}

}  // namespace

bool WatermarkWithoutText(const Workspace& ws) {
    if (!ws.Special.Watermark) return false;
    for (const std::string& line : ws.Watermark.Text) {
        if (!Trim(line).empty()) return false;
    }
    return true;
}

std::string GalleryFilePath(const Workspace& ws) {
    return JoinPath(ws.Main.HTMLDir, ToInternalPath(ws.Main.HTMLFile));
}

void CreateGallery(Workspace& ws, TCreateMode mode, TCommandServices& services,
                   const TTreeToolRun& tree) {
    Prepare(ws, mode, services.Messages, tree);
    if (!IsBuild(mode)) return;
    TieHistory(ws, mode, services);
    Build(ws, mode, services);
    if (mode != TCreateMode::DirectoryTreeTool && !ws.Main.NoHTML) {
        // One browser tab per gallery and run: a rebuild's page is usually open already, and
        // the desktop program tells of the build in its status bar.
        const std::string gallery = GalleryFilePath(ws);
        const bool opened = std::find(ws.OpenedGalleries.begin(), ws.OpenedGalleries.end(),
                                      gallery) != ws.OpenedGalleries.end();
        if (!opened || ws.Program.OpenAfterRebuild) services.Shell.Open(gallery);
        if (!opened) ws.OpenedGalleries.push_back(gallery);
    }
}

void PrepareGallerySettings(Workspace& ws, IMessages& messages) {
    Prepare(ws, TCreateMode::Preparation, messages, {});
}

void SaveWorkspaceAsTemplate(Workspace& ws, const std::string& path, IMessages& messages) {
    PrepareGallerySettings(ws, messages);
    SaveSettingsAsTemplate(path, *ws.LastImages, *ws.LastHTML, ws.Template, ws.Schemes,
                           KeptSettingsOf(ws));
}

void WizardCreateGallery(Workspace& ws, TCommandServices& services,
                         const std::function<void()>& selectHTMLFile) {
    if (ws.Images.empty()) throw EUserInputError(WizardNoPicturesText);
    if (ws.Main.HTMLFile.empty()) {
        if (selectHTMLFile) selectHTMLFile();
        if (ws.Main.HTMLFile.empty()) throw EUserInputError(WizardNoHTMLFileText);
        return;
    }
    if (!ws.Journal.CreatedFiles.empty() &&
        services.Build.Ask.Ask("Remove the previously computed gallery before computing the "
                               "new one?",
                               "Yes if it's the old one with some change. No, if it's a new "
                               "gallery.")) {
        UndoGallery(ws.Journal, ws.Images);
    }
    CreateGalleryOrSkipUnreadable(ws, TCreateMode::SettingsPanels, services);
}

}  // namespace fsc
