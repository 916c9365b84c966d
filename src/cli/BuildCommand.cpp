// The build command: the workspace filled from the command line, then the create-gallery
// command the main window runs.
#include "cli/BuildCommand.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <iostream>

#include "app/AddImages.h"
#include "app/CreateGallery.h"
#include "app/DirectoryFields.h"
#include "app/GalleryProject.h"
#include "app/GalleryToPublish.h"
#include "app/ImageSet.h"
#include "base/Errors.h"
#include "base/Files.h"
#include "base/Paths.h"
#include "base/Text.h"
#include "cli/BuildArguments.h"
#include "cli/CliUsage.h"
#include "cli/CommandLineTemplate.h"
#include "cli/GalleryArguments.h"
#include "cli/GalleryCommandRun.h"
#include "cli/LeftOutPictures.h"
#include "cli/SetOption.h"
#include "cli/SyncGalleryFolder.h"
#include "engine/Undo.h"
#include "templates/TemplateApply.h"
#include "templates/TemplateLibrary.h"

namespace fsc {

namespace {

std::string AbsolutePath(const std::string& path) {
    return std::filesystem::absolute(path).lexically_normal().string();
}

// One picture; a file the readers cannot decode is named, since it may be one of hundreds.
void AddPicture(Workspace& ws, const std::string& path) {
    try {
        AddOneFile(ws.Images, path);
    } catch (const EFscError& error) {
        throw EFSC_Exception("Cannot read the picture \"" + path + "\": " + error.what());
    }
}

void AddSource(Workspace& ws, const TBuildArguments::TSource& source, IProgress& progress) {
    if (source.IsImageSet) {
        if (!FileExists(source.Path)) {
            throw EUserInputError("The image set \"" + source.Path + "\" does not exist.");
        }
        AddImageSet(ws.Images, source.Path, progress);
    } else if (DirectoryExists(source.Path)) {
        // The build reads each picture completely right after, so only headers are read now.
        ImageListPanel panel;
        if (AddImageFolder(ws, panel, source.Path, progress, TPictureCheck::HeaderOnly) == 0) {
            std::cerr << "The folder \"" << source.Path << "\" holds no pictures.\n";
        }
    } else if (FileExists(source.Path)) {
        AddPicture(ws, source.Path);
    } else {
        throw EUserInputError("The picture or folder \"" + source.Path + "\" does not exist.");
    }
}

void SetParameter(TemplateSelection& selection, const std::string& assignment) {
    const std::size_t equals = assignment.find('=');
    const std::string name = assignment.substr(0, equals);
    if (equals == std::string::npos || name.empty()) {
        throw EUserInputError("--param needs NAME=VALUE, not \"" + assignment + "\".");
    }
    const std::vector<TParameter>& parameters = selection.DialogTemplate.Parameters;
    std::string known;
    for (std::size_t i = 0; i < parameters.size(); ++i) {
        if (parameters[i].Name == name) {
            EditTemplateParameter(selection, i, assignment.substr(equals + 1));
            return;
        }
        known += (known.empty() ? "" : ", ") + parameters[i].Name;
    }
    throw EUserInputError("The template has no parameter \"" + name + "\"" +
                          (known.empty() ? std::string(".") : " (it has " + known + ")."));
}

// The gallery a build without a template or a project makes: one that reads well on a phone
// and a wide screen, with copies a screen shows whole instead of camera files of many
// megabytes.
constexpr const char* DefaultTemplate = "Modern";
constexpr const char* DefaultCopyLimit[] = {"IMAGEDORESIZE=true", "IMAGEWIDTH=2048",
                                            "IMAGEHEIGHT=2048"};
// The --template value that asks for the program's plain pages, without any template.
constexpr const char* NoTemplate = "none";

bool SetsCopySize(const std::vector<std::string>& settings) {
    return std::any_of(settings.begin(), settings.end(), [](const std::string& assignment) {
        return StartsWith(assignment, "IMAGEDORESIZE=") || StartsWith(assignment, "IMAGEWIDTH=") ||
               StartsWith(assignment, "IMAGEHEIGHT=");
    });
}

void SelectDefaultTemplate(Workspace& ws, IAsk& ask) {
    if (IndexOfLine(ListTemplates(ws.TemplateLibrary), DefaultTemplate) < 0) {
        throw EUserInputError("The template library \"" + ws.TemplateLibrary +
                              "\" has no template \"" + DefaultTemplate +
                              "\", which a build uses when none is given: give --template NAME, "
                              "or --template none for plain pages.");
    }
    SelectCommandLineTemplate(ws, DefaultTemplate, ask);
}

// As the template dialog does it: select the entry, edit the parameters, "OK".
void ChooseTemplate(Workspace& ws, const TBuildArguments& arguments, IAsk& ask) {
    const bool plain = arguments.Template && *arguments.Template == NoTemplate;
    // A project brings its own settings and template; only a build from nothing gets the
    // default one.
    const bool byDefault = !arguments.Template && arguments.Project.empty();
    if (plain && !arguments.Params.empty()) {
        throw EUserInputError("--param needs a template, but --template none asks for none.");
    }
    if (plain || (!arguments.Template && !byDefault && arguments.Params.empty())) return;
    TemplateContext context = ws.Templates();
    if (arguments.Template) {
        SelectCommandLineTemplate(ws, *arguments.Template, ask);
    } else if (byDefault) {
        SelectDefaultTemplate(ws, ask);
    } else if (ws.Selection.SelectedEntry().empty()) {
        throw EUserInputError(
            "--param needs a template: give --template or a project that has one.");
    }
    for (const std::string& assignment : arguments.Params) SetParameter(ws.Selection, assignment);
    ApplyTemplate(context, TTemplateSender::TemplateDialog);
    if (byDefault && !SetsCopySize(arguments.Settings)) {
        for (const char* line : DefaultCopyLimit) ApplySetOption(ws, line);
    }
}

void FillWorkspace(Workspace& ws, const TBuildArguments& arguments, IAsk& ask,
                   IProgress& progress) {
    ImageListPanel panel;
    if (!arguments.Project.empty()) {
        if (!FileExists(arguments.Project)) {
            throw EUserInputError("The project \"" + arguments.Project + "\" does not exist.");
        }
        OpenGalleryProject(ws, panel, arguments.Project, ask, progress);
    }
    if (arguments.Jobs) ws.Program.WorkerThreads = *arguments.Jobs;
    for (const auto& source : arguments.Sources) AddSource(ws, source, progress);
    SortPictures(ws, arguments.Sort);
    if (arguments.HTMLDir) SelectHTMLDir(ws, AbsolutePath(*arguments.HTMLDir));
    if (arguments.HTMLFile) {
        ws.Main.HTMLFile = *arguments.HTMLFile;
    } else if (arguments.Project.empty()) {
        ws.Main.HTMLFile = DefaultHTMLFileName;
    }
    if (arguments.ImageDir) SetImageDir(ws, *arguments.ImageDir);
    ChooseTemplate(ws, arguments, ask);
    for (const std::string& assignment : arguments.Settings) ApplySetOption(ws, assignment);
    if (arguments.Originals) ws.Main.OfferOriginals = true;
}

// A failed build is undone now, so the disk is left as it was before the run and no half
// gallery waits for an undo the user may never run.
void UndoFailedBuild(Workspace& ws, IMessages& messages) {
    if (ws.Journal.HasNothingToUndo()) return;
    const bool wroteFiles = !ws.Journal.CreatedFiles.empty() || !ws.Journal.BackupFiles.empty();
    try {
        Undo(ws.Journal);
        if (wroteFiles)
            messages.ShowMessage("The files written before the error were removed again.");
    } catch (const EFscError& error) {
        messages.ShowError(error.what());
    }
}

// --upload and --sync: the gallery as this run built it, from the folder it went into.
void PublishBuiltGallery(const Workspace& ws, const TUploadTarget& target,
                         TConsoleProgress& progress, IShell& shell, bool quiet) {
    const std::optional<TGalleryToPublish> gallery = LastBuiltGallery(ws);
    if (!gallery) throw EFSC_Exception("The build computed no gallery to upload.");
    SyncGalleryFolder(*gallery, target, progress, quiet);
    if (!target.DryRun) PrintGalleryAddress(target, gallery->TopPage, shell);
}

}  // namespace

int RunBuildCommand(const std::vector<std::string>& args) {
    const TBuildArguments arguments = ParseBuildArguments(args);
    if (arguments.Project.empty() && !arguments.HTMLDir) {
        throw EUsageError("build needs a project file or --html-dir");
    }
    TGalleryCommandRun run({arguments.Answer, arguments.Quiet, arguments.Open, arguments.SkipBad});
    Workspace& ws = run.Ws;
    FillWorkspace(ws, arguments, run.Ask, run.Progress);
    if (WatermarkWithoutText(ws)) {
        throw EUsageError(
            "The watermark is switched on (USEWATERMARK) but has no text: give it one with "
            "--set WATERMARKTEXT=TEXT, or switch it off.");
    }
    if (!arguments.SaveProject.empty()) {
        SaveGalleryProject(ws, arguments.SaveProject, run.Messages, run.Progress);
    }
    try {
        CreateGallery(ws, TCreateMode::MainWindow, run.Services);
    } catch (...) {
        run.Progress.Hide();
        UndoFailedBuild(ws, run.Messages);
        throw;
    }
    if (arguments.Upload)
        PublishBuiltGallery(ws, *arguments.Upload, run.Progress, run.Shell, arguments.Quiet);
    return ReportLeftOutPictures(ws, std::cerr);
}

}  // namespace fsc
