// Directories and plain template copies.
#include "engine/CopyTemplateFiles.h"

#include "base/Files.h"
#include "base/Paths.h"
#include "base/Text.h"
#include "engine/BuildFiles.h"

namespace fsc {

std::string ImageDirCaseStatement(const std::string& imageDir, const std::string& actual) {
    return "Image directory \"" + imageDir + "\" does already exists, but is called \"" + actual +
           "\".";
}

std::string ImageDirCaseQuestion(const std::string& actual) {
    return "This will not work on a webserver with case-sensitive filenames! Change image dir "
           "to " +
           actual;
}

namespace {

// On a case-sensitive file system "images" and "Images" are two folders, so the spelling on
// disk is looked for before the typed one is created; once it exists as typed there is
// nothing to ask.
void AskImageDirSpelling(TBuildContext& context) {
    TFSC_HTML& html = context.HTML;
    if (html.ImageDir.empty()) return;
    const std::vector<TDirEntry> entries = ListDirectory(html.HTMLDir);
    for (const TDirEntry& entry : entries) {
        if (entry.Name == html.ImageDir) return;
    }
    for (const TDirEntry& entry : entries) {
        if (UpperCase(entry.Name) != UpperCase(html.ImageDir)) continue;
        if (context.Services.Ask.Ask(ImageDirCaseStatement(html.ImageDir, entry.Name),
                                     ImageDirCaseQuestion(entry.Name))) {
            html.ImageDir = entry.Name;
            return;
        }
    }
}

void CopyPlainFile(TBuildContext& context, const TTemplateFile& file) {
    const std::string folder = InHTMLDir(context.HTML.HTMLDir, file.SubDir);
    context.Journal.CreateFolders(folder);
    const std::string target = InHTMLDir(folder, file.FileName);
    // A template kept in the gallery's folder is the user's file, never an output.
    if (IsSameFile(file.Source, target)) return;
    context.Journal.AddOutput(target);
    const std::string bytes = ReadFileBytes(file.Source);
    // Stylesheets and scripts are mostly there already as they are.
    if (FileHolds(target, bytes)) return;
    JournalTarget(context, target);
    WriteFileBytes(target, bytes);
}

}  // namespace

void CopyTemplateFiles(TBuildContext& context) {
    TFSC_HTML& html = context.HTML;
    context.Journal.CreateFolders(html.HTMLDir);
    AskImageDirSpelling(context);
    context.Journal.CreateFolders(ImageTargetDir(html));
    for (const TTemplateFile& file : context.Template.CopyFiles) CopyPlainFile(context, file);
}

}  // namespace fsc
