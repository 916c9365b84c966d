// The current template: page skeletons, parameters, files to copy and the style fields.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "base/TStringList.h"
#include "engine/TFSC_File.h"
#include "engine/TParameter.h"
#include "engine/TTemplateFile.h"

namespace fsc {

// Lets a page fit a phone's screen instead of a shrunken desktop width.
inline constexpr const char* ViewportMeta =
    "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">";

// The skeleton used wherever a template names no page of its own.
TStringList DefaultPageSkeleton();
// The initial text of the image page options.
TStringList DefaultImagePageSkeleton();
TStringList DefaultSlideScheme();
// The first entry of the named-colour list, the collage's initial background.
inline constexpr const char* DefaultCollageBgColor = "black = #000000 ";

// What reading a template needs from the program options and the image page options.
struct TTemplateReadSettings {
    TStringList ImagePageSkeleton = DefaultImagePageSkeleton();
    // The program options' HTML extensions, one a line without the dot.
    TStringList HTMLExtensions;
    // The program options' default page extension, without the dot.
    std::string DefaultHTMLExt = "html";
    // The template library, whose files a template elsewhere may name; "" for none.
    std::string LibraryFolder;
};

struct TTemplate {
    std::vector<TParameter> Parameters;
    // HTML files copied through the tag engine.
    std::vector<TFSC_File> ExtraPages;
    std::vector<TTemplateFile> CopyFiles;
    bool IndexIsGallery = true;
    // The main HTML file name as typed by the user; may contain a sub-path.
    std::string GalleryFileName;
    TStringList IndexPage;
    std::string GalleryPageName;
    std::optional<TStringList> GalleryPage;
    TStringList ImagePageSkeleton;

    // Style fields, copied from the option dialogs before every build.
    std::string TableCSS;
    int TableBorder = 0;
    std::string TableWidth;
    std::string TableTDAlign = "center";
    std::string TableTDVAlign = "middle";
    bool OrderedList = false;
    std::string ListCSS;
    std::string ParaAlign = "left";
    std::string ParaCSS;
    std::string CollageCSS;
    std::string CollageType = "TABLE";
    std::string CollageBgColor = DefaultCollageBgColor;
    bool CollageCenter = false;
    TStringList SlideScheme = DefaultSlideScheme();
    int SlideWidth = -1;
    int SlideHeight = 300;

    // Every line of the template file as read.
    TStringList Lines;

    // The "no template" case: the index is the gallery and uses the default skeleton.
    static TTemplate Create(const TStringList& imagePageSkeleton = DefaultImagePageSkeleton());
    // Reads a ".tpl" file; relative references are taken from the template's folder.
    // Raises EFSC_Exception naming the file when the template or a page it copies cannot
    // be read, and naming the line when a COPY target would leave the HTML directory or a
    // file it reads lies outside the template's folder and the library.
    static TTemplate Create(const std::string& path, const TTemplateReadSettings& settings);
};

}  // namespace fsc
