// folioscope-cli: the program's jobs without a window.
#include <iostream>
#include <string>
#include <vector>

#include "base/Errors.h"
#include "base/MemoryBudget.h"
#include "base/Version.h"
#include "cli/BuildCommand.h"
#include "cli/CliUsage.h"
#include "cli/HistoryCommands.h"
#include "cli/OptionsCommand.h"
#include "cli/PublishCommand.h"
#include "cli/TemplatesCommand.h"
#include "cli/TreeCommand.h"
#include "platform/QtSettingsStore.h"
#include "templates/TemplateLibrary.h"

namespace {

int Dispatch(const std::vector<std::string>& args) {
    if (args.size() == 1 && args[0] == "--version") {
        std::cout << fsc::ProgramNameAndVersion << '\n';
        return 0;
    }
    // Help is asked for before anything is read or checked, so it works beside any mistake.
    if (!args.empty() && fsc::AsksForHelp(args)) {
        const std::string usage = fsc::CommandUsageText(args[0]);
        std::cout << (usage.empty() ? fsc::CliUsageText() : usage);
        return 0;
    }
    if (!args.empty() && args[0] == "undo") {
        return fsc::RunUndoCommand({args.begin() + 1, args.end()});
    }
    if (!args.empty() && args[0] == "history") {
        return fsc::RunHistoryCommand({args.begin() + 1, args.end()}, std::cout);
    }
    // A build that a crash or a power cut ended is named at every other start.
    fsc::ReportUnfinishedBuilds(std::cerr);
    if (!args.empty() && args[0] == "options") {
        fsc::QtSettingsStore store;
        return fsc::RunOptionsCommand({args.begin() + 1, args.end()}, store);
    }
    if (!args.empty() && args[0] == "build") {
        return fsc::RunBuildCommand({args.begin() + 1, args.end()});
    }
    if (!args.empty() && args[0] == "publish") {
        return fsc::RunPublishCommand({args.begin() + 1, args.end()});
    }
    if (!args.empty() && args[0] == "tree") {
        return fsc::RunTreeCommand({args.begin() + 1, args.end()});
    }
    if (!args.empty() && args[0] == "templates") {
        return fsc::RunTemplatesCommand({args.begin() + 1, args.end()},
                                        fsc::TemplateLibraryFolder(), std::cout, std::cerr);
    }
    throw fsc::EUsageError(args.empty() ? "no command given"
                                        : "unknown command \"" + args[0] + "\"");
}

// A mistake in one command's arguments is answered with that command's usage alone: the
// line that says what is wrong stays on the screen instead of scrolling away.
std::string UsageAfterMistake(const std::vector<std::string>& args) {
    const std::string usage = args.empty() ? std::string() : fsc::CommandUsageText(args[0]);
    if (usage.empty()) return fsc::CliUsageText();
    return usage + "\"folioscope-cli --help\" shows every command.\n";
}

}  // namespace

int main(int argc, char** argv) {
    fsc::MapLargeBuffersApart();
    const std::vector<std::string> args(argv + 1, argv + argc);
    try {
        return Dispatch(args);
    } catch (const fsc::EUsageError& error) {
        std::cerr << "folioscope-cli: " << error.what() << "\n\n" << UsageAfterMistake(args);
        return 2;
    } catch (const fsc::EFscError& error) {
        std::cerr << error.what() << '\n';
        return 1;
    } catch (const std::exception& error) {
        std::cerr << "An unknown error occured. (" << error.what() << ")\n";
        return 1;
    }
}
