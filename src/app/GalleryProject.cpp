// Saving and opening gallery projects.
#include "app/GalleryProject.h"

#include <optional>

#include "app/BuildSettings.h"
#include "app/CreateGallery.h"
#include "app/DirectoryFields.h"
#include "app/ImageListEdit.h"
#include "app/ImageSet.h"
#include "app/WorkspaceSettings.h"
#include "base/Errors.h"
#include "base/Files.h"
#include "base/Paths.h"
#include "base/Text.h"
#include "templates/SaveAsTemplate.h"
#include "templates/TemplateApply.h"
#include "templates/TemplateLibrary.h"

namespace fsc {

namespace {

constexpr const char* MainDirKey = "MAINDIR=";
constexpr const char* ImageDirKey = "IMAGEDIR=";
constexpr const char* HTMLFileKey = "HTMLFILE=";

struct TProjectValues {
    std::optional<std::string> MainDir;
    std::optional<std::string> ImageDir;
    std::optional<std::string> HTMLFile;
};

// The last line with a key wins, as reading line by line into the fields does.
TProjectValues ReadProjectValues(const std::string& path) {
    TProjectValues values;
    for (const std::string& line : LoadLines(path)) {
        const std::string value = Trim(line.substr(line.find('=') + 1));
        if (StartsWith(line, MainDirKey)) values.MainDir = value;
        if (StartsWith(line, ImageDirKey)) values.ImageDir = value;
        if (StartsWith(line, HTMLFileKey)) values.HTMLFile = value;
    }
    for (const auto& [key, value] :
         {std::pair{MainDirKey, &values.MainDir}, std::pair{ImageDirKey, &values.ImageDir},
          std::pair{HTMLFileKey, &values.HTMLFile}}) {
        if (!*value) {
            throw EUserInputError("The gallery project \"" + path + "\" is damaged: it has no \"" +
                                  key + "\" line.");
        }
    }
    return values;
}

void SelectProjectTemplate(Workspace& ws, const std::string& templatePath) {
    ws.Selection.Entries.insert(ws.Selection.Entries.begin(), UserTemplatePrefix + templatePath);
    ws.Selection.ItemIndex = 0;
    // The main window as sender: no "Are you sure?" question.
    class TNoQuestions final : public IAsk {
    public:
        bool Ask(const std::string&, const std::string&) override { return false; }
    } noQuestions;
    TemplateContext context = ws.Templates();
    SelectTemplate(context, TTemplateSender::MainWindow, {}, noQuestions);
    ApplyTemplate(context, TTemplateSender::TemplateDialog);
}

void PutValue(const std::optional<std::string>& value, std::string& field) {
    if (value && !value->empty()) field = *value;
}

}  // namespace

void SaveGalleryProject(Workspace& ws, const std::string& path, IMessages& messages,
                        IProgress& progress) {
    const std::string folder = CompanionFolder(path);
    ForceDirectories(folder);
    PrepareGallerySettings(ws, messages);
    SaveSettingsAsTemplate(JoinPath(folder, ProjectTemplateFile), *ws.LastImages, *ws.LastHTML,
                           ws.Template, ws.Schemes, KeptSettingsOf(ws));
    WriteImageSetWithImages(ws.Images, JoinPath(folder, ProjectImageSetFile), progress);
    SaveLines(path, {"FOLIOSCOPE 2 GALLERY", std::string("TEMPLATE=") + ProjectTemplateFile,
                     std::string("IMAGES=") + ProjectImageSetFile, MainDirKey + ws.Main.HTMLDir,
                     ImageDirKey + ws.Main.ImageDir, HTMLFileKey + ws.Main.HTMLFile});
}

void OpenGalleryProject(Workspace& ws, ImageListPanel& panel, const std::string& path, IAsk& ask,
                        IProgress& progress) {
    const TProjectValues values = ReadProjectValues(path);
    const std::string folder = CompanionFolder(path);
    const std::string setPath = JoinPath(folder, ProjectImageSetFile);
    TThumbnailArray images;
    if (FileExists(setPath)) images = ReadImageSet(setPath, progress);

    ClearImages(ws, panel);
    ws.Main.TargetFrame.clear();
    ws.Images = std::move(images);
    SelectProjectTemplate(ws, JoinPath(folder, ProjectTemplateFile));
    PutValue(values.MainDir, ws.Main.HTMLDir);
    PutValue(values.HTMLFile, ws.Main.HTMLFile);
    // Last, since its check may refuse the value.
    if (values.ImageDir && !values.ImageDir->empty()) SetImageDir(ws, *values.ImageDir);
    CheckAdvancedOptions(ws, panel, ask);
    ReloadHTMLTemplateEditor(ws.TemplateEditor, ws.Template);
}

void ReadProjectGallery(Workspace& ws, const std::string& path) {
    const TProjectValues values = ReadProjectValues(path);
    PutValue(values.MainDir, ws.Main.HTMLDir);
    PutValue(values.HTMLFile, ws.Main.HTMLFile);
}

std::string ProjectContents(const Workspace& ws) {
    std::string text;
    const auto add = [&text](const std::string& part) {
        text += part;
        // A separator that no setting holds, so "a" + "bc" differs from "ab" + "c".
        text += '\0';
    };
    for (const std::string& line : WorkspaceSettingLines(ws)) {
        // The template dialog's own state changes as it is used, what it chose is below;
        // the watermark's time of change only tells a build to make new copies.
        if (!StartsWith(line, "Selection.") && !StartsWith(line, "Watermark.Changed=")) add(line);
    }
    const TemplateSelection& selection = ws.Selection;
    add(selection.UseTemplate ? "template" : "no template");
    if (selection.ItemIndex >= 0 && std::size_t(selection.ItemIndex) < selection.Entries.size())
        add(selection.Entries[std::size_t(selection.ItemIndex)]);
    for (const TTemplate* tpl : {&ws.Template, &selection.DialogTemplate}) {
        for (const TParameter& parameter : tpl->Parameters) {
            add(parameter.Name);
            add(parameter.Value);
            add(std::to_string(parameter.Kind));
        }
    }
    for (const TStringList* lines : {&ws.Template.IndexPage, &ws.Template.ImagePageSkeleton})
        for (const std::string& line : *lines) add(line);
    if (ws.Template.GalleryPage)
        for (const std::string& line : *ws.Template.GalleryPage) add(line);
    for (const TScheme* scheme :
         {&ws.Schemes.Thumbnail, &ws.Schemes.Image, &ws.Schemes.Navigation, &ws.Schemes.Gallery})
        for (const std::string& line : scheme->Text) add(line);
    for (const TThumbnail& image : ws.Images) {
        for (const std::string* field :
             {&image.FileName, &image.Name, &image.Hint, &image.Description, &image.FieldA,
              &image.FieldB, &image.FieldC, &image.OtherLink})
            add(*field);
        add(std::string(image.useOtherLink ? "1" : "0") + (image.noImage ? "1" : "0"));
    }
    return text;
}

}  // namespace fsc
