// Choosing a template from the command line.
#include "cli/CommandLineTemplate.h"

#include <filesystem>

#include "base/Errors.h"
#include "base/Files.h"
#include "base/Text.h"
#include "templates/TemplateApply.h"
#include "templates/TemplateLibrary.h"

namespace fsc {

std::string TemplateEntry(const std::string& library, const std::string& given) {
    std::string file;
    if (StartsWith(given, UserTemplatePrefix)) {
        file = given.substr(std::string(UserTemplatePrefix).size());
    } else if (EndsWith(LowerCase(given), ".tpl") || given.find('/') != std::string::npos) {
        file = given;
    } else {
        if (IndexOfLine(ListTemplates(library), given) < 0) {
            throw EUserInputError("There is no template \"" + given +
                                  "\" in the library; \"folioscope-cli templates\" lists them.");
        }
        return given;
    }
    if (!FileExists(file)) {
        throw EUserInputError("The template file \"" + file + "\" does not exist.");
    }
    return UserTemplatePrefix + std::filesystem::absolute(file).lexically_normal().string();
}

void SelectCommandLineTemplate(Workspace& ws, const std::string& given, IAsk& ask) {
    const std::string entry = TemplateEntry(ws.TemplateLibrary, given);
    ws.Selection.Entries = ListTemplates(ws.TemplateLibrary);
    if (StartsWith(entry, UserTemplatePrefix)) {
        ws.Selection.Entries.insert(ws.Selection.Entries.begin(), entry);
    }
    ws.Selection.ItemIndex = IndexOfLine(ws.Selection.Entries, entry);
    TemplateContext context = ws.Templates();
    SelectTemplate(context, TTemplateSender::TemplateDialog, {}, ask);
}

}  // namespace fsc
