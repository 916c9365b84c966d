// The rules of the "Directories" panel.
#include "app/DirectoryFields.h"

#include <algorithm>

#include "base/Errors.h"
#include "base/Files.h"
#include "base/HTMLFileTest.h"
#include "base/Paths.h"
#include "base/Text.h"

namespace fsc {

namespace {

std::string DropLeadingSeparators(const std::string& text) {
    std::size_t skip = 0;
    while (skip < text.size() && IsPathSeparator(text[skip])) ++skip;
    return text.substr(skip);
}

// The chosen file must lie below the directory itself, so a folder that merely starts
// with the same letters (/web2 for /web) or holds them further in does not count.
bool LiesInDirectory(const std::string& path, const std::string& dir) {
    const std::string folder = ExcludeTrailingSeparator(dir);
    if (folder.empty() || !StartsWithNoCase(path, folder)) return false;
    return path.size() > folder.size() &&
           (IsPathSeparator(path[folder.size()]) || IsPathSeparator(folder.back()));
}

void UseExistingFileAsTemplate(Workspace& ws, const std::string& name, const std::string& path) {
    ws.Template.IndexPage = SplitLines(ReadFileBytes(path));
    ws.Template.GalleryFileName = name;
    ws.Template.GalleryPage.reset();
    ws.Template.IndexIsGallery = true;
    ReloadHTMLTemplateEditor(ws.TemplateEditor, ws.Template);
}

}  // namespace

void SelectHTMLDir(Workspace& ws, const std::optional<std::string>& chosen) {
    if (chosen) ws.Main.HTMLDir = *chosen;
    ws.Main.HTMLDir = ExcludeTrailingSeparator(ws.Main.HTMLDir);
}

void SelectHTMLFile(Workspace& ws, const std::string& chosen, IMessages& messages, IAsk& ask) {
    if (!LiesInDirectory(chosen, ws.Main.HTMLDir)) throw EUserInputError(HTMLFileOutsideText);
    std::string name =
        DropLeadingSeparators(chosen.substr(ExcludeTrailingSeparator(ws.Main.HTMLDir).size()));
    const std::size_t htm = FindNoCase(name, ".HTM");
    ws.Main.HTMLFile = htm == std::string::npos ? std::string() : name.substr(0, htm);
    CheckHTMLFile(ws, THTMLFileCheck::Field, messages, ask);
}

void CheckHTMLFile(Workspace& ws, THTMLFileCheck caller, IMessages& messages, IAsk& ask) {
    std::string& name = ws.Main.HTMLFile;
    name = Trim(name);
    const std::string extension = ExtractFileExt(name);
    if (!name.empty() && !IsHTMLExtension(ws.Program.HTMLExt, extension)) {
        // An empty default would leave a name ending in a bare full stop.
        const std::string& defaultExt = ws.Program.DefaultHTMLExt;
        const std::string typed = name;
        name += "." + (Trim(defaultExt).empty() ? std::string("html") : defaultExt);
        // "Cancel" turns the added extension down: the name stays as the user typed it.
        if (extension.size() > 1 && !Trim(extension.substr(1)).empty() &&
            !messages.ShowOkCancelError("ERROR", HTMLExtensionAddedText)) {
            name = typed;
        }
    }
    if (caller == THTMLFileCheck::CreateGallery || name.empty()) return;
    const std::string path = JoinPath(ws.Main.HTMLDir, ToInternalPath(name));
    if (!FileExists(path)) return;
    // Once per page and run: the field is left again and again, after every build too.
    TStringList& asked = ws.AskedAboutExistingPages;
    if (std::find(asked.begin(), asked.end(), path) != asked.end()) return;
    asked.push_back(path);
    if (ask.Ask("The HTML-File " + name + " does already exist.",
                "Use the existing file as HTML template? ")) {
        UseExistingFileAsTemplate(ws, name, path);
    }
}

void SetImageDir(Workspace& ws, const std::string& text) {
    const std::string dir = Trim(text);
    if (dir.find(':') != std::string::npos) {
        ws.Main.ImageDir = "images";
        throw EUserInputError(ImageDirColonText);
    }
    ws.Main.ImageDir = dir;
}

}  // namespace fsc
