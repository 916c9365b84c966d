// Listing the template library on the command line.
#include "cli/TemplatesCommand.h"

#include "base/Files.h"
#include "cli/CliUsage.h"
#include "templates/TemplateLibrary.h"

namespace fsc {

namespace {

// An entry without its ".tpl" file (a bare ".html" name) has no description to show.
std::string DescriptionOf(const std::string& folder, const std::string& entry) {
    const std::string path = TemplatePath(folder, entry);
    return FileExists(path) ? TemplateDescription(LoadLines(path)) : std::string();
}

}  // namespace

int RunTemplatesCommand(const std::vector<std::string>& args, const std::string& libraryFolder,
                        std::ostream& out, std::ostream& err) {
    const bool quiet = args.size() == 1 && args[0] == "--quiet";
    if (!args.empty() && !quiet) throw EUsageError("templates takes no arguments but --quiet");
    const TStringList entries = ListTemplates(libraryFolder);
    if (entries.empty() && !quiet)
        err << "The template library " << libraryFolder << " holds no templates.\n";
    for (const std::string& entry : entries) {
        const std::string description = DescriptionOf(libraryFolder, entry);
        out << entry;
        if (!description.empty()) out << '\t' << description;
        out << '\n';
    }
    return 0;
}

}  // namespace fsc
