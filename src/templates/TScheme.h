// The four markup schemes (thumbnail, image page, navigation, gallery page): their kinds,
// built-in texts, start-up files and scheme files.
#pragma once

#include <string>

#include "base/TStringList.h"

namespace fsc {

inline constexpr int SchemeThumbnail = 0;
inline constexpr int SchemeImage = 1;
inline constexpr int SchemeNavigation = 2;
inline constexpr int SchemeGallery = 3;

struct TScheme {
    int Kind = SchemeThumbnail;
    TStringList Text;

    bool operator==(const TScheme&) const = default;
};

// The program-wide schemes, created once with their built-in texts.
struct TSchemes {
    TScheme Thumbnail{SchemeThumbnail, {}};
    TScheme Image{SchemeImage, {}};
    TScheme Navigation{SchemeNavigation, {}};
    TScheme Gallery{SchemeGallery, {}};

    TSchemes();
    TScheme& OfKind(int kind);

    bool operator==(const TSchemes&) const = default;
};

// Built-in text of a kind ("<!-THUMB->" for the thumbnail scheme, ...).
TStringList DefaultSchemeText(int kind);
// "ths", "ims", "nvs", "gls".
std::string SchemeFileSuffix(int kind);
// The file dialogs' filter: "Thumbnail Scheme|*.ths", ...
std::string SchemeFileFilter(int kind);
// "thumbscheme.txt", "imagescheme.txt", "navscheme.txt", "galleryscheme.txt".
std::string SchemeStartupFileName(int kind);

// Where start-up files are looked for first: the user's own folder of the program.
std::string UserSchemeFolder();
// The start-up file of a kind: in the user's folder, else in the data folder; "" if none.
std::string FindSchemeStartupFile(int kind);
// Built-in texts, each replaced by its start-up file where one exists.
TSchemes CreateStartupSchemes();

// A scheme file holds the scheme's lines and nothing else.
void LoadSchemeFile(TScheme& scheme, const std::string& path);
void SaveSchemeFile(const TScheme& scheme, const std::string& path);

}  // namespace fsc
