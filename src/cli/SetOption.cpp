// The command line's settings lines, checked against the table of settings keys first, because
// the reader passes over unknown keys silently, as a template file needs, while a mistyped
// option on the command line must not be lost without a word.
#include "cli/SetOption.h"

#include "base/Errors.h"
#include "templates/TemplateSettingsKeys.h"

namespace fsc {

bool IsTemplateSettingsKey(const std::string& keyWithEquals) {
    const TSettingsKey* key = FindSettingsKey(keyWithEquals);
    return key != nullptr && key->OnCommandLine;
}

void ApplySetOption(Workspace& ws, const std::string& assignment) {
    const std::size_t equals = assignment.find('=');
    if (equals == std::string::npos || equals == 0) {
        throw EUserInputError("--set needs KEY=VALUE, not \"" + assignment + "\".");
    }
    const std::string key = assignment.substr(0, equals + 1);
    if (!IsTemplateSettingsKey(key)) {
        throw EUserInputError("Unknown setting \"" + key.substr(0, equals) +
                              "\" (keys are those of a template file, such as STYLE, THUMBWIDTH "
                              "or IMAGEDORESIZE; they are written in capitals).");
    }
    if (assignment.find_first_of("\r\n") != std::string::npos) {
        throw EUserInputError("The value of --set " + key + " must be one line.");
    }
    // Multi-line values end at their marker; one value on the command line is the whole text.
    std::string line = assignment;
    if (const char* marker = FindSettingsKey(key)->EndMarker) line += marker;
    TemplateContext context = ws.Templates();
    // Relative scheme and page files are looked for where the user runs the program.
    ApplySettingsLines(context, ".", line, TLinesFrom::User);
}

}  // namespace fsc
