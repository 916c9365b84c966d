// The directory-tree command: the workspace set up from the command line, then the tool the
// desktop program's dialog runs.
#include "cli/TreeCommand.h"

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <optional>

#include "app/ImageListPanel.h"
#include "app/Workspace.h"
#include "base/AppFolders.h"
#include "base/Errors.h"
#include "base/Files.h"
#include "base/Text.h"
#include "cli/CliUsage.h"
#include "cli/CommandLineTemplate.h"
#include "cli/GalleryCommandRun.h"
#include "cli/LeftOutPictures.h"
#include "cli/SetOption.h"
#include "engine/TempFolderCleanup.h"
#include "templates/TemplateApply.h"
#include "tools/DirectoryTreeGalleries.h"

namespace fsc {

namespace {

struct TTreeArguments {
    std::string Directory;
    std::optional<std::string> FileName, Template;
    bool NoNavigation = false;
    bool AllowModify = false;
    bool Quiet = false;
    bool SkipBad = false;
    std::vector<std::string> Settings;
    std::optional<bool> Answer;
};

std::string ValueOf(const std::vector<std::string>& args, std::size_t& i) {
    if (i + 1 >= args.size()) throw EUsageError(args[i] + " needs a value");
    return args[++i];
}

TTreeArguments ParseTreeArguments(const std::vector<std::string>& args) {
    TTreeArguments result;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--file") {
            result.FileName = ValueOf(args, i);
        } else if (arg == "--template") {
            result.Template = ValueOf(args, i);
        } else if (arg == "--set") {
            result.Settings.push_back(ValueOf(args, i));
        } else if (arg == "--no-navigation") {
            result.NoNavigation = true;
        } else if (arg == "--allow-modify") {
            result.AllowModify = true;
        } else if (arg == "--quiet") {
            result.Quiet = true;
        } else if (arg == "--skip-bad") {
            result.SkipBad = true;
        } else if (arg == "--yes" || arg == "--no") {
            if (result.Answer && *result.Answer != (arg == "--yes")) {
                throw EUsageError("--yes and --no together");
            }
            result.Answer = arg == "--yes";
        } else if (StartsWith(arg, "--")) {
            throw EUsageError("unknown option \"" + arg + "\" for tree");
        } else if (result.Directory.empty()) {
            result.Directory = arg;
        } else {
            throw EUsageError("tree takes one directory, not also \"" + arg + "\"");
        }
    }
    if (result.Directory.empty()) throw EUsageError("tree needs a directory");
    return result;
}

// The program's exit, however the run ends: the saved project in the work folder goes. The
// galleries and their histories stay, for the undo command.
class TTreeExit {
public:
    explicit TTreeExit(Workspace& ws) : ws(ws) {}
    ~TTreeExit() { CleanUpAtExit(ws.Images, TempFolder()); }
    TTreeExit(const TTreeExit&) = delete;
    TTreeExit& operator=(const TTreeExit&) = delete;

private:
    Workspace& ws;
};

}  // namespace

int RunTreeCommand(const std::vector<std::string>& args) {
    const TTreeArguments arguments = ParseTreeArguments(args);
    TGalleryCommandRun run({arguments.Answer, arguments.Quiet, false, arguments.SkipBad});
    Workspace& ws = run.Ws;
    TTreeExit atExit(ws);

    if (arguments.Template) {
        SelectCommandLineTemplate(ws, *arguments.Template, run.Ask);
        TemplateContext context = ws.Templates();
        ApplyTemplate(context, TTemplateSender::TemplateDialog);
    }
    for (const std::string& assignment : arguments.Settings) ApplySetOption(ws, assignment);

    DirectoryTreeOptions options;
    // Messages name each folder by its full path and the pages name the top folder by its own
    // name ("." has none), whatever folder the command ran in.
    options.Directory =
        DirectoryExists(arguments.Directory)
            ? std::filesystem::absolute(arguments.Directory).lexically_normal().string()
            : arguments.Directory;
    if (arguments.FileName) options.FileName = *arguments.FileName;
    options.NoNavigation = arguments.NoNavigation;
    options.AllowModify = arguments.AllowModify;
    ImageListPanel panel;
    if (!CreateDirectoryTreeGalleries(ws, panel, options, run.Services, TempFolder())) {
        run.Messages.ShowMessage("No gallery was made in " + options.Directory + " or below it.");
    }
    return ReportLeftOutPictures(ws, std::cerr);
}

}  // namespace fsc
