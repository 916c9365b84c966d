// "folioscope-cli options": show and change the program options.
#include "cli/OptionsCommand.h"

#include <iostream>

#include "base/Errors.h"
#include "cli/CliUsage.h"
#include "options/ProgramOptions.h"

namespace fsc {

namespace {

std::pair<std::string, std::string> SplitAssignment(const std::string& text) {
    const std::size_t equals = text.find('=');
    if (equals == std::string::npos || equals == 0) {
        throw EUsageError("--set expects Name=value, not \"" + text + "\"");
    }
    return {text.substr(0, equals), text.substr(equals + 1)};
}

}  // namespace

int RunOptionsCommand(const std::vector<std::string>& args, ISettingsStore& store) {
    std::vector<std::pair<std::string, std::string>> changes;
    bool quiet = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--quiet") {
            quiet = true;
            continue;
        }
        if (args[i] != "--set" || i + 1 == args.size()) {
            throw EUsageError("unexpected argument \"" + args[i] + "\"");
        }
        changes.push_back(SplitAssignment(args[++i]));
    }

    // Work on a copy so that one bad value leaves the stored options untouched.
    ProgramOptions options = LoadProgramOptions(store);
    for (const auto& [name, value] : changes) SetProgramOption(options, name, value);
    if (!changes.empty()) SaveProgramOptions(options, store);

    // Quiet only when something was changed: a bare listing is the whole point of the command.
    if (quiet && !changes.empty()) return 0;
    for (const std::string& line : ProgramOptionLines(options)) std::cout << line << '\n';
    return 0;
}

}  // namespace fsc
