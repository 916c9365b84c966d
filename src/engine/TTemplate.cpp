// Reading a template file: its structural keys in fixed passes, its copies and parameters.
#include "engine/TTemplate.h"

#include "base/Files.h"
#include "base/HTMLFileTest.h"
#include "base/Paths.h"
#include "base/Text.h"
#include "engine/InsideHTMLDir.h"
#include "engine/InsideTemplateFolder.h"

namespace fsc {

// The defaults declare what a page served without a charset header, read on a phone or by
// a screen reader needs: standards mode, UTF-8, the device's width and a language.
TStringList DefaultPageSkeleton() {
    return {"<!DOCTYPE html>",
            "<HTML lang=\"en\"><HEAD><meta charset=\"utf-8\">" + std::string(ViewportMeta) +
                "<TITLE><!-NAME-></TITLE></HEAD>",
            "<BODY> <!-FOLIOSCOPE-> </BODY></HTML>"};
}

TStringList DefaultImagePageSkeleton() {
    return {"<!DOCTYPE html>",
            "<HTML lang=\"en\">",
            "<HEAD>",
            "<meta charset=\"utf-8\">",
            ViewportMeta,
            "<TITLE><!-NAME-></TITLE>",
            "</HEAD>",
            "<BODY>",
            "",
            "<!-IMAGE->",
            "",
            "</BODY>",
            "</HTML>"};
}

TStringList DefaultSlideScheme() {
    return {"<CENTER>", "<!-SLIDES->", "<br>", "<!-PREVBUTTON->", "<!-NEXTBUTTON->", "</CENTER>"};
}

namespace {

// The value of a key line: after the first "=", trimmed; a line without "=" is its value.
std::string KeyValue(const std::string& line) {
    const std::size_t equals = line.find('=');
    if (equals == std::string::npos) return line;
    return Trim(std::string_view(line).substr(equals + 1));
}

// How a refused line is named in its error.
std::string LineText(const std::string& line, const std::string& target) {
    return "Template line \"" + line + "\": the target \"" + target + "\"";
}

std::string SourceText(const std::string& line, const std::string& written) {
    return "Template line \"" + line + "\": the source \"" + written + "\"";
}

class TTemplateReader {
public:
    TTemplateReader(TTemplate& tpl, const std::string& path, const TTemplateReadSettings& settings)
        : tpl(tpl),
          path(path),
          folder(ExtractFileDir(path)),
          sourceFolders(FoldersOfTemplate(folder, settings.LibraryFolder)),
          settings(settings) {}

    void Read() {
        tpl.IndexIsGallery = true;
        tpl.Lines = LoadLines(path);
        tpl.ImagePageSkeleton = settings.ImagePageSkeleton;
        const bool sawIndexFile = ReadIndexKeys();
        if (!tpl.IndexIsGallery) ReadGalleryKeys();
        ReadImagePageKeys();
        ReadCopyLines();
        if (!sawIndexFile) ReadIndexBesideTemplate();
        ReadParameters();
    }

private:
    // Relative references may separate with '\' as well as '/'.
    std::string Reference(const std::string& value) const {
        return JoinPath(folder, ToInternalPath(value));
    }

    // Checked before a file is read, whether it exists or not.
    void RequireSource(const std::string& line, const std::string& written,
                       const std::string& file) const {
        RequireTemplateSource(sourceFolders, file, SourceText(line, written));
    }

    TStringList PageOrDefault(const std::string& file) const {
        return FileExists(file) ? LoadLines(file) : DefaultPageSkeleton();
    }

    bool ReadIndexKeys() {
        bool sawIndexFile = false;
        for (const std::string& line : tpl.Lines) {
            if (StartsWith(line, "INDEXFILE")) {
                const std::string written = KeyValue(line);
                const std::string file = Reference(written);
                tpl.GalleryFileName = ExtractFileName(file);
                RequireInsideHTMLDir(tpl.GalleryFileName, LineText(line, tpl.GalleryFileName));
                RequireSource(line, written, file);
                tpl.IndexPage = PageOrDefault(file);
                sawIndexFile = true;
            } else if (StartsWith(line, "INDEXISNOTGALLERY")) {
                tpl.IndexIsGallery = UpperCase(KeyValue(line)).find("TRUE") == std::string::npos;
            }
        }
        return sawIndexFile;
    }

    void ReadGalleryKeys() {
        for (const std::string& line : tpl.Lines) {
            if (!StartsWith(line, "GALLERYFILE")) continue;
            const std::string written = KeyValue(line);
            const std::string file = Reference(written);
            tpl.GalleryPageName = ExtractFileName(file);
            RequireInsideHTMLDir(tpl.GalleryPageName, LineText(line, tpl.GalleryPageName));
            RequireSource(line, written, file);
            tpl.GalleryPage = PageOrDefault(file);
        }
    }

    void ReadImagePageKeys() {
        // "USEIMAGEASHTML" is a settings key; only the skeleton matters here.
        for (const std::string& line : tpl.Lines) {
            if (!StartsWith(line, "IMAGEHTMLTEMPLATE")) continue;
            const std::string written = KeyValue(line);
            const std::string file = Reference(written);
            RequireSource(line, written, file);
            if (FileExists(file)) tpl.ImagePageSkeleton = LoadLines(file);
        }
    }

    void ReadCopyLines() {
        for (const std::string& line : tpl.Lines) {
            if (StartsWith(line, "COPY")) ReadCopyLine(line);
        }
    }

    void ReadCopyLine(const std::string& line) {
        const std::string text =
            Trim(std::string_view(line).substr(std::min<std::size_t>(5, line.size())));
        const std::size_t to = text.find(" TO ");
        // Lines such as "COPYRIGHT=..." begin with the key too; without a target there is
        // nothing to copy, so they are passed over.
        if (to == std::string::npos) return;
        const std::string written = Trim(std::string_view(text).substr(0, to));
        const std::string source = Reference(written);
        const std::string target = Trim(std::string_view(text).substr(to + 4));
        if (ExtractFileName(target).empty()) return;
        RequireInsideHTMLDir(target, LineText(line, target));
        RequireSource(line, written, source);
        const std::string subDir = ToInternalPath(ExtractFileDir(target));
        const std::string fileName = ExtractFileName(target);
        if (IsHTMLExtension(settings.HTMLExtensions, ExtractFileExt(target))) {
            TFSC_File page;
            page.FileName = fileName;
            page.SubDir = subDir;
            page.Lines = LoadLines(source);
            page.SourceFile = source;
            tpl.ExtraPages.push_back(std::move(page));
        } else {
            tpl.CopyFiles.push_back({subDir, fileName, source});
        }
    }

    void ReadIndexBesideTemplate() {
        const std::string file = ChangeFileExt(path, "." + settings.DefaultHTMLExt);
        // No line names this page; only a link can take it outside.
        RequireTemplateSource(sourceFolders, file, "Template page \"" + file + "\"");
        tpl.IndexPage = FileExists(file) ? LoadLines(file) : TStringList{};
    }

    void ReadParameters() {
        for (const std::string& line : tpl.Lines) {
            if (StartsWith(line, "ASKSTRING")) {
                tpl.Parameters.push_back({KeyValue(line), "", "", ParameterText});
            } else if (StartsWith(line, "ASKCOLOR")) {
                tpl.Parameters.push_back({KeyValue(line), "", "", ParameterColour});
            } else if (StartsWith(line, "ASKDEFAULT") && !tpl.Parameters.empty()) {
                tpl.Parameters.back().Default = KeyValue(line);
                tpl.Parameters.back().Value = KeyValue(line);
            }
        }
    }

    TTemplate& tpl;
    const std::string& path;
    const std::string folder;
    const TTemplateFolders sourceFolders;
    const TTemplateReadSettings& settings;
};

}  // namespace

TTemplate TTemplate::Create(const TStringList& imagePageSkeleton) {
    TTemplate tpl;
    tpl.IndexPage = DefaultPageSkeleton();
    tpl.ImagePageSkeleton = imagePageSkeleton;
    return tpl;
}

TTemplate TTemplate::Create(const std::string& path, const TTemplateReadSettings& settings) {
    TTemplate tpl;
    TTemplateReader(tpl, path, settings).Read();
    return tpl;
}

}  // namespace fsc
