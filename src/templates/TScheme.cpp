// Scheme kinds, their built-in texts and the files they are read from and written to.
#include "templates/TScheme.h"

#include "base/AppFolders.h"
#include "base/Errors.h"
#include "base/Files.h"
#include "base/Paths.h"
#include "engine/TFSC_HTML.h"

namespace fsc {

namespace {

void RequireKind(int kind) {
    if (kind < SchemeThumbnail || kind > SchemeGallery) {
        throw EFSC_Exception("Unknown scheme kind " + std::to_string(kind) + ".");
    }
}

}  // namespace

TSchemes::TSchemes() {
    for (int kind = SchemeThumbnail; kind <= SchemeGallery; ++kind) {
        OfKind(kind).Text = DefaultSchemeText(kind);
    }
}

TScheme& TSchemes::OfKind(int kind) {
    RequireKind(kind);
    switch (kind) {
        case SchemeImage:
            return Image;
        case SchemeNavigation:
            return Navigation;
        case SchemeGallery:
            return Gallery;
        default:
            return Thumbnail;
    }
}

TStringList DefaultSchemeText(int kind) {
    RequireKind(kind);
    // The engine's defaults are the same texts; one source keeps them from drifting apart.
    switch (kind) {
        case SchemeImage:
            return DefaultImageScheme();
        case SchemeNavigation:
            return DefaultNavigationScheme();
        case SchemeGallery:
            return DefaultGalleryScheme();
        default:
            return DefaultThumbScheme();
    }
}

std::string SchemeFileSuffix(int kind) {
    RequireKind(kind);
    static const char* const suffixes[] = {"ths", "ims", "nvs", "gls"};
    return suffixes[kind];
}

std::string SchemeFileFilter(int kind) {
    RequireKind(kind);
    static const char* const names[] = {"Thumbnail Scheme", "Image Scheme", "Navigation Scheme",
                                        "Gallery Scheme"};
    return std::string(names[kind]) + "|*." + SchemeFileSuffix(kind);
}

std::string SchemeStartupFileName(int kind) {
    RequireKind(kind);
    static const char* const names[] = {"thumbscheme.txt", "imagescheme.txt", "navscheme.txt",
                                        "galleryscheme.txt"};
    return names[kind];
}

std::string UserSchemeFolder() { return JoinPath(ConfigHome(), "folioscope"); }

std::string FindSchemeStartupFile(int kind) {
    for (const std::string& folder : {UserSchemeFolder(), DataFolder()}) {
        const std::string path = JoinPath(folder, SchemeStartupFileName(kind));
        if (FileExists(path)) return path;
    }
    return {};
}

TSchemes CreateStartupSchemes() {
    TSchemes schemes;
    for (int kind = SchemeThumbnail; kind <= SchemeGallery; ++kind) {
        const std::string path = FindSchemeStartupFile(kind);
        if (!path.empty()) LoadSchemeFile(schemes.OfKind(kind), path);
    }
    return schemes;
}

void LoadSchemeFile(TScheme& scheme, const std::string& path) {
    // Read first, so that a file that cannot be read leaves the scheme's text alone.
    TStringList text = LoadLines(path);
    scheme.Text = std::move(text);
}

void SaveSchemeFile(const TScheme& scheme, const std::string& path) {
    SaveLines(path, scheme.Text);
}

}  // namespace fsc
