// Writing settings as a template: the companion folder first, then the template's lines.
#include "templates/SaveAsTemplate.h"

#include <filesystem>
#include <set>

#include "base/Files.h"
#include "base/Paths.h"
#include "base/Text.h"
#include "templates/TemplateApply.h"
#include "templates/TemplateLibrary.h"
#include "templates/TemplateSettingsKeys.h"

namespace fsc {

namespace {

// Saving over a template keeps what the template dialog says of it; settings without one
// are described by what a gallery made with them looks like.
std::string SavedDescription(const TTemplate& tpl, const TFSC_Images& images,
                             const TFSC_HTML& html) {
    const std::string inherited = Trim(TemplateDescription(tpl.Lines));
    if (!inherited.empty()) return inherited;
    return std::string("Saved settings: ") + LayoutWord(html.Layout) + " layout, thumbnails " +
           std::to_string(images.ThumbWidth) + " x " + std::to_string(images.ThumbHeight) + ".";
}

// Writes the companion folder and collects the lines that refer to it.
class TTemplateWriter {
public:
    TTemplateWriter(const std::string& path, TTemplate& tpl)
        : folder(CompanionFolder(path)), prefix(ExtractFileName(path) + ".dir\\"), tpl(tpl) {}

    TStringList Write(const TSchemes& schemes, const TSavedSettings& saved) {
        ForceDirectories(folder);
        ReserveNames();
        SaveSchemes(schemes);
        WriteIndexPage();
        WriteGalleryPage();
        WriteImagePage(saved);
        WriteExtraPages();
        WriteCopyFiles();
        WriteParameters();
        return lines;
    }

private:
    void SaveSchemes(const TSchemes& schemes) {
        SaveSchemeFile(schemes.Navigation, JoinPath(folder, NavigationSchemeFile));
        SaveSchemeFile(schemes.Thumbnail, JoinPath(folder, ThumbSchemeFile));
        SaveSchemeFile(schemes.Gallery, JoinPath(folder, GallerySchemeFile));
        SaveSchemeFile(schemes.Image, JoinPath(folder, ImageSchemeFile));
    }

    // Every file of the companion folder gets a name of its own: two pages or copies that
    // share a file name (from different folders) would otherwise overwrite each other and
    // leave both lines pointing at the last one. A clash gets "_2", "_3", ... before the
    // extension.
    std::string UniqueName(const std::string& name) {
        std::string candidate = name;
        for (int number = 2; usedNames.count(candidate) != 0; ++number) {
            const std::string ext = ExtractFileExt(name);
            candidate =
                name.substr(0, name.size() - ext.size()) + "_" + std::to_string(number) + ext;
        }
        usedNames.insert(candidate);
        return candidate;
    }

    // Pages are stored by their file name alone, so that a name typed with a sub-path (or
    // with "..") can never write outside the companion folder.
    std::string SavePage(const std::string& name, const TStringList& text) {
        const std::string fileName = UniqueName(ExtractFileName(ToInternalPath(name)));
        SaveLines(JoinPath(folder, fileName), text);
        return prefix + fileName;
    }

    static bool SameFile(const std::string& a, const std::string& b) {
        std::error_code error;
        return std::filesystem::equivalent(a, b, error);
    }

    // Copies that already lie in the companion folder (saving over the template they came
    // from) keep their names, reserved before anything else is written there.
    void ReserveNames() {
        for (const char* scheme :
             {NavigationSchemeFile, ThumbSchemeFile, GallerySchemeFile, ImageSchemeFile}) {
            usedNames.insert(scheme);
        }
        for (const TTemplateFile& file : tpl.CopyFiles) {
            const std::string name = ExtractFileName(ToInternalPath(file.Source));
            if (SameFile(file.Source, JoinPath(folder, name))) usedNames.insert(name);
        }
    }

    void WriteIndexPage() {
        if (Trim(tpl.GalleryFileName).empty()) tpl.GalleryFileName = "index.html";
        lines.push_back("INDEXFILE=" + SavePage(tpl.GalleryFileName, tpl.IndexPage));
        lines.push_back(std::string("INDEXISNOTGALLERY=") +
                        (tpl.IndexIsGallery ? "false" : "true"));
    }

    void WriteGalleryPage() {
        if (!tpl.GalleryPage) return;
        if (Trim(tpl.GalleryPageName).empty()) tpl.GalleryPageName = "gallery.html";
        lines.push_back("GALLERYFILE=" + SavePage(tpl.GalleryPageName, *tpl.GalleryPage));
    }

    void WriteImagePage(const TSavedSettings& saved) {
        if (!tpl.ImagePageSkeleton.empty()) {
            lines.push_back("IMAGEHTMLTEMPLATE=" + SavePage("image.html", tpl.ImagePageSkeleton));
        }
        // Whether thumbnails link to the image pages, which templates have always held here.
        const TStringList settings = SavedSettingsLines(saved, TSavedWith::ImagePage);
        lines.insert(lines.end(), settings.begin(), settings.end());
    }

    static std::string TargetDir(const std::string& subDir) {
        return subDir.empty() ? std::string() : ToStoredPath(subDir) + "\\";
    }

    void WriteExtraPages() {
        for (const TFSC_File& page : tpl.ExtraPages) {
            if (page.PageNumber != 0 || page.ImageNumber != 0) continue;
            const std::string stored = SavePage(page.FileName, page.Lines);
            lines.push_back("COPY " + stored + " TO " + TargetDir(page.SubDir) +
                            ExtractFileName(ToInternalPath(page.FileName)));
        }
    }

    void WriteCopyFiles() {
        for (const TTemplateFile& file : tpl.CopyFiles) {
            std::string name = ExtractFileName(ToInternalPath(file.Source));
            // A file already in place must not be copied onto itself.
            if (!SameFile(file.Source, JoinPath(folder, name))) {
                name = UniqueName(name);
                CopyFileBytes(file.Source, JoinPath(folder, name));
            }
            lines.push_back("COPY " + prefix + name + " TO " + TargetDir(file.SubDir) +
                            file.FileName);
        }
    }

    void WriteParameters() {
        for (const TParameter& parameter : tpl.Parameters) {
            const char* key = parameter.Kind == ParameterColour ? "ASKCOLOR=" : "ASKSTRING=";
            lines.push_back(key + parameter.Name);
            lines.push_back("ASKDEFAULT=" + parameter.Value);
        }
    }

    const std::string folder;
    const std::string prefix;
    TTemplate& tpl;
    TStringList lines;
    std::set<std::string> usedNames;
};

}  // namespace

TStringList TemplateSettingsLines(const TFSC_Images& images, const TFSC_HTML& html,
                                  const TTemplate& tpl, const TKeptSettings& kept) {
    return SavedSettingsLines({images, html, tpl, kept}, TSavedWith::Settings);
}

void SaveSettingsAsTemplate(const std::string& path, const TFSC_Images& images,
                            const TFSC_HTML& html, TTemplate& tpl, const TSchemes& schemes,
                            const TKeptSettings& kept) {
    TStringList lines = {"DESCRIPTION=" + SavedDescription(tpl, images, html)};
    const TStringList written =
        TTemplateWriter(path, tpl).Write(schemes, {images, html, tpl, kept});
    lines.insert(lines.end(), written.begin(), written.end());
    const TStringList settings = TemplateSettingsLines(images, html, tpl, kept);
    lines.insert(lines.end(), settings.begin(), settings.end());
    SaveLines(path, lines);
}

}  // namespace fsc
