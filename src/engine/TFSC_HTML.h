// The page settings of one build and, after it, the pages that were written.
#pragma once

#include <string>
#include <vector>

#include "base/TStringList.h"
#include "engine/TFSC_File.h"
#include "engine/TFSC_Images.h"

namespace fsc {

// The built-in schemes, used when no scheme object replaces them.
inline TStringList DefaultThumbScheme() { return {"<!-THUMB->"}; }
inline TStringList DefaultImageScheme() {
    return {"<!-IMAGE-> <br> <!-DESCRIPTION-> ", "<br><br><!-ORVIKLINK-> "};
}
inline TStringList DefaultGalleryScheme() {
    return {"<!-NAVIGATION-> <br><br> <!-GALLERY-> ", "<br> <!-ORVIKLINK-> "};
}
inline TStringList DefaultNavigationScheme() {
    return {"<!-IFPREVIOUS-> <a href=\"<!-LINK->\"> Previous </a> <!-ENDIF-> ",
            "<!-IFNEXT-> <a href=\"<!-LINK->\"> Next </a> <!-ENDIF->"};
}

inline constexpr int LayoutTable = 0;
inline constexpr int LayoutList = 1;
inline constexpr int LayoutParagraph = 2;
inline constexpr int LayoutCollage = 3;
inline constexpr int LayoutSlideShow = 4;

struct TFSC_HTML {
    // The paired image settings; not owned.
    TFSC_Images* Images = nullptr;
    // The pages of the last build, kept for the FTP upload.
    std::vector<TFSC_File> Files;
    // Every image gets a page of its own and thumbnails link to it.
    bool LinkToHTML = false;
    bool NoHTML = false;
    // Default page extension, without the dot.
    std::string PageExt = "html";
    std::string HTMLDir;
    // Relative to HTMLDir; the HTML step appends "/" so that pages can use it as a prefix.
    std::string ImageDir = "images";
    int Layout = LayoutTable;
    int Rows = 3;
    int Cols = 5;
    bool UseTargetFrame = false;
    std::string TargetFrame;
    int PageCount = 0;
    int PerPage = 0;
    TStringList ThumbScheme = DefaultThumbScheme();
    TStringList ImageScheme = DefaultImageScheme();
    TStringList GalleryScheme = DefaultGalleryScheme();
    TStringList NavigationScheme = DefaultNavigationScheme();
    bool MetaAuthor = false;
    bool MetaKeywords = false;
    bool MetaDescription = false;
    std::string AuthorText;
    std::string KeywordsText;
    std::string DescriptionText;
    bool KeywordsFromName = true;
    bool KeywordsFromHintDesc = true;
    bool DescriptionWithHint = true;
    bool DisableRightButton = false;
    std::string RightButtonMessage = "Right Mouse Button Disabled.";
};

// Makes the two settings objects point at each other, as a build expects.
inline void LinkSettings(TFSC_Images& images, TFSC_HTML& html) {
    html.Images = &images;
    images.HTML = &html;
}

}  // namespace fsc
