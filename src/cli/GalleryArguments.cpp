// Naming a built gallery on the command line.
#include "cli/GalleryArguments.h"

#include <filesystem>
#include <iostream>
#include <optional>

#include "app/CreateGallery.h"
#include "app/DirectoryFields.h"
#include "app/GalleryProject.h"
#include "base/Errors.h"
#include "base/Files.h"
#include "base/Text.h"
#include "cli/CliUsage.h"
#include "cli/ConsoleServices.h"
#include "platform/QtSettingsStore.h"

namespace fsc {

TGalleryLocation GalleryOf(const std::vector<std::string>& args, const std::string& command) {
    QtSettingsStore store;
    Workspace ws = StartupWorkspace(LoadProgramOptions(store));
    std::optional<std::string> dir, file;
    std::string project;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const bool hasValue = i + 1 < args.size();
        if (args[i] == "--html-dir" && hasValue) {
            dir = args[++i];
        } else if (args[i] == "--html-file" && hasValue) {
            file = args[++i];
        } else if (!StartsWith(args[i], "-") && project.empty()) {
            project = args[i];
        } else {
            throw EUsageError(command + ": unknown or incomplete argument \"" + args[i] + "\"");
        }
    }
    if (!project.empty()) {
        if (!FileExists(project)) {
            throw EUserInputError("The project \"" + project + "\" does not exist.");
        }
        ReadProjectGallery(ws, project);
    } else if (!dir) {
        throw EUsageError(command + " needs a project file or --html-dir");
    }
    if (dir) {
        SelectHTMLDir(ws, std::filesystem::absolute(*dir).lexically_normal().string());
    }
    if (file) {
        ws.Main.HTMLFile = *file;
    } else if (project.empty()) {
        ws.Main.HTMLFile = DefaultHTMLFileName;
    }
    TConsoleMessages messages(std::cerr);
    class TNoQuestions final : public IAsk {
    public:
        bool Ask(const std::string&, const std::string&) override { return false; }
    } noQuestions;
    CheckHTMLFile(ws, THTMLFileCheck::CreateGallery, messages, noQuestions);
    return {ws.Main.HTMLDir, GalleryFilePath(ws)};
}

}  // namespace fsc
