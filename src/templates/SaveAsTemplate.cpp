// Writing settings as a template: the companion folder first, then the template's lines.
#include "templates/SaveAsTemplate.h"

#include <algorithm>
#include <filesystem>
#include <set>

#include "base/Files.h"
#include "base/Paths.h"
#include "base/Text.h"
#include "templates/TemplateApply.h"
#include "templates/TemplateLibrary.h"
#include "templates/TemplateSettingsLines.h"

namespace fsc {

namespace {

std::string Bool(bool value) { return value ? "true" : "false"; }

const char* StyleWord(int layout) {
    switch (layout) {
        case LayoutList:
            return "list";
        case LayoutParagraph:
            return "paragraph";
        case LayoutCollage:
            return "collage";
        case LayoutSlideShow:
            return "slideshow";
        default:
            return "table";
    }
}

const char* ThumbMethodWord(TThumbSizeMode mode) {
    switch (mode) {
        case TThumbSizeMode::fit:
            return "fit";
        case TThumbSizeMode::stretch:
            return "stretch";
        case TThumbSizeMode::hardLimit:
            return "hardlimit";
        case TThumbSizeMode::limit:
            break;
    }
    return "limit";
}

const char* ThumbQualityWord(TThumbQualityLevel level) {
    switch (level) {
        case TThumbQualityLevel::High:
            return "high";
        case TThumbQualityLevel::Low:
            return "low";
        case TThumbQualityLevel::VeryLow:
            return "verylow";
        case TThumbQualityLevel::Middle:
            break;
    }
    return "middle";
}

// A value that spans lines: the lines joined by CR LF, the end marker right after the last.
void AddMultiLine(TStringList& lines, const std::string& key, const TStringList& value,
                  const char* marker) {
    TStringList valueLines = value.empty() ? TStringList{""} : value;
    valueLines.front().insert(0, key);
    valueLines.back() += marker;
    lines.insert(lines.end(), valueLines.begin(), valueLines.end());
}

int ColourValue(const TFontSpec& font) {
    return static_cast<int>(font.Red | (font.Green << 8) | (font.Blue << 16));
}

void AddLayoutLines(TStringList& lines, const TFSC_HTML& html, const TTemplate& tpl,
                    const TKeptSettings& kept) {
    if (html.UseTargetFrame) {
        lines.push_back("USETARGET=true");
        lines.push_back("TARGETFRAME=" + html.TargetFrame);
    }
    lines.push_back(std::string("STYLE=") + StyleWord(html.Layout));
    lines.push_back("TABLECSS=" + tpl.TableCSS);
    // Readers have always taken the border; without it a round trip reset it to none.
    lines.push_back("TABLEBORDER=" + std::to_string(tpl.TableBorder));
    lines.push_back("TABLEWIDTH=" + tpl.TableWidth);
    lines.push_back("TABLETDALIGN=" + tpl.TableTDAlign);
    lines.push_back("TABLETDVALIGN=" + tpl.TableTDVAlign);
    // Each layout's own values: a list gallery saved with the build's one column and list
    // rows would come back as a one-column table.
    lines.push_back("TABLEROWS=" + std::to_string(kept.TableRows));
    lines.push_back("TABLECOLS=" + std::to_string(kept.TableCols));
    lines.push_back("LISTCSS=" + tpl.ListCSS);
    lines.push_back(std::string("LISTSTYLE=") + (tpl.OrderedList ? "ordered" : "unordered"));
    lines.push_back("LISTROWS=" + std::to_string(kept.ListRows));
    lines.push_back("PARAALIGN=" + tpl.ParaAlign);
    lines.push_back("PARACSS=" + tpl.ParaCSS);
    lines.push_back("COLLAGECSS=" + tpl.CollageCSS);
    lines.push_back("COLLAGETYPE=" + tpl.CollageType);
    lines.push_back("COLLAGEBGCOLOR=" + tpl.CollageBgColor);
    lines.push_back("COLLAGECENTER=" + Bool(tpl.CollageCenter));
    AddMultiLine(lines, "SLIDESCHEME=", tpl.SlideScheme, SlideSchemeEnd);
    lines.push_back("SLIDEWIDTH=" + std::to_string(tpl.SlideWidth));
    lines.push_back("SLIDEHEIGHT=" + std::to_string(tpl.SlideHeight));
}

void AddImageLines(TStringList& lines, const TFSC_Images& images, const TFSC_HTML& html) {
    lines.push_back(std::string("THUMBMETHOD=") + ThumbMethodWord(images.ThumbSizeMode));
    lines.push_back(std::string("THUMBQUALITY=") + ThumbQualityWord(images.ThumbQualityLevel));
    lines.push_back("THUMBWIDTH=" + std::to_string(images.ThumbWidth));
    lines.push_back("THUMBHEIGHT=" + std::to_string(images.ThumbHeight));
    if (images.ResizeImages) {
        lines.push_back("IMAGEDORESIZE=true");
        lines.push_back("IMAGEWIDTH=" + std::to_string(images.ResizeWidth));
        lines.push_back("IMAGEHEIGHT=" + std::to_string(images.ResizeHeight));
    } else {
        lines.push_back("IMAGEDORESIZE=false");
    }
    lines.push_back("IMAGENOEXT=" + Bool(images.ImagesAreThumbs));
    lines.push_back(std::string("RESIZEMETHOD=") +
                    (images.ResizeMethod == TResizeMethod::Classic ? "classic" : "smooth"));
    lines.push_back("IMAGEWEBP=" + Bool(images.WriteWebp));
    lines.push_back("IMAGEAVIF=" + Bool(images.WriteAvif));
    lines.push_back("IMAGEORIGINALS=" + Bool(images.Originals));
    lines.push_back("DEFAULTHTMLEXT=" + html.PageExt);
}

void AddMetaLines(TStringList& lines, const TFSC_HTML& html) {
    lines.push_back("USEAUTHOR=" + Bool(html.MetaAuthor));
    lines.push_back("AUTHOR=" + html.AuthorText);
    lines.push_back("USEKEYWORDS=" + Bool(html.MetaKeywords));
    lines.push_back("KEYWORDS=" + html.KeywordsText);
    lines.push_back("KEYWORDSNAME=" + Bool(html.KeywordsFromName));
    lines.push_back("KEYWORDSHINTDESC=" + Bool(html.KeywordsFromHintDesc));
    lines.push_back("USEMETADESC=" + Bool(html.MetaDescription));
    lines.push_back("METADESC=" + html.DescriptionText);
    lines.push_back("METADESCHINT=" + Bool(html.DescriptionWithHint));
    lines.push_back("USEDISABLERMB=" + Bool(html.DisableRightButton));
    lines.push_back("RMBMESSAGE=" + html.RightButtonMessage);
}

bool IsBlank(const TStringList& text) {
    return std::all_of(text.begin(), text.end(),
                       [](const std::string& line) { return Trim(line).empty(); });
}

void AddWatermarkLines(TStringList& lines, const TFSC_Images& images, const TKeptSettings& kept) {
    const TFontSpec& font = images.WatermarkFont;
    lines.push_back("USEWATERMARK=" + Bool(images.Watermark));
    // The text a build stamps, else the one the Special window shows.
    AddMultiLine(lines, "WATERMARKTEXT=",
                 IsBlank(images.WatermarkText) ? kept.WatermarkText : images.WatermarkText,
                 WatermarkEnd);
    lines.push_back("WATERMARKTRANSPARENCY=" + std::to_string(images.WatermarkTransparency));
    lines.push_back("WATERMARKADJUSTTOSIZE=" + Bool(images.WatermarkAdjustSize));
    lines.push_back("WATERMARKFONTNAME=" + font.Name);
    lines.push_back("WATERMARKFONTSIZE=" + std::to_string(font.Size));
    lines.push_back("WATERMARKFONTCOLOR=" + std::to_string(ColourValue(font)));
    lines.push_back("WATERMARKFONTBOLD=" + Bool(font.Bold));
    lines.push_back("WATERMARKFONTITALIC=" + Bool(font.Italic));
    lines.push_back("WATERMARKFONTUNDERLINE=" + Bool(font.Underline));
    lines.push_back("WATERMARKFONTSTRIKEOUT=" + Bool(font.StrikeOut));
    // The file names the positions column by column; the model keeps them row by row.
    const std::pair<const char*, TWatermarkPosition> positions[] = {
        {"LT", wpLeftTop},   {"LM", wpLeftMiddle},   {"LB", wpLeftBottom},
        {"CT", wpCenterTop}, {"CM", wpCenterMiddle}, {"CB", wpCenterBottom},
        {"RT", wpRightTop},  {"RM", wpRightMiddle},  {"RB", wpRightBottom}};
    for (const auto& [name, position] : positions) {
        lines.push_back(std::string("WATERMARK") + name + "=" +
                        Bool(images.WatermarkPositions[position]));
    }
}

// Saving over a template keeps what the template dialog says of it; settings without one
// are described by what a gallery made with them looks like.
std::string SavedDescription(const TTemplate& tpl, const TFSC_Images& images,
                             const TFSC_HTML& html) {
    const std::string inherited = Trim(TemplateDescription(tpl.Lines));
    if (!inherited.empty()) return inherited;
    return std::string("Saved settings: ") + StyleWord(html.Layout) + " layout, thumbnails " +
           std::to_string(images.ThumbWidth) + " x " + std::to_string(images.ThumbHeight) + ".";
}

// Writes the companion folder and collects the lines that refer to it.
class TTemplateWriter {
public:
    TTemplateWriter(const std::string& path, TTemplate& tpl)
        : folder(CompanionFolder(path)), prefix(ExtractFileName(path) + ".dir\\"), tpl(tpl) {}

    TStringList Write(const TSchemes& schemes, const TFSC_HTML& html) {
        ForceDirectories(folder);
        ReserveNames();
        SaveSchemes(schemes);
        WriteIndexPage();
        WriteGalleryPage();
        WriteImagePage(html);
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

    void WriteImagePage(const TFSC_HTML& html) {
        if (!tpl.ImagePageSkeleton.empty()) {
            lines.push_back("IMAGEHTMLTEMPLATE=" + SavePage("image.html", tpl.ImagePageSkeleton));
        }
        // Whether thumbnails link to image pages is the user's setting; writing "true"
        // merely because a skeleton exists would switch it on at the next apply.
        lines.push_back("USEIMAGEASHTML=" + Bool(html.LinkToHTML));
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
    TStringList lines;
    AddLayoutLines(lines, html, tpl, kept);
    AddImageLines(lines, images, html);
    AddMetaLines(lines, html);
    AddWatermarkLines(lines, images, kept);
    lines.push_back("REMOVELOCATION=" + Bool(images.RemoveLocation));
    return lines;
}

void SaveSettingsAsTemplate(const std::string& path, const TFSC_Images& images,
                            const TFSC_HTML& html, TTemplate& tpl, const TSchemes& schemes,
                            const TKeptSettings& kept) {
    TStringList lines = {"DESCRIPTION=" + SavedDescription(tpl, images, html)};
    const TStringList written = TTemplateWriter(path, tpl).Write(schemes, html);
    lines.insert(lines.end(), written.begin(), written.end());
    const TStringList settings = TemplateSettingsLines(images, html, tpl, kept);
    lines.insert(lines.end(), settings.begin(), settings.end());
    SaveLines(path, lines);
}

}  // namespace fsc
