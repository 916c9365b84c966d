// The file manager panel as a model: the grid of a template's extra pages and plain copies,
// the index-is-gallery radio buttons and the gallery name field.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "engine/TTemplate.h"

namespace fsc {

// Grid row 0 is the header, row 1 an empty divider; the entries start at row 2.
inline constexpr int FileManagerHeaderRow = 0;
inline constexpr int FileManagerDividerRow = 1;
inline constexpr int FileManagerFirstEntryRow = 2;

inline constexpr const char* HTMLFileType = "HTML";
inline constexpr const char* OtherFileType = "Other";

// "File Type", "Source", "Directory", "Name".
using TFileManagerRow = std::array<std::string, 4>;

struct TFileManagerPanel {
    std::vector<TFileManagerRow> Rows;
    // "Index is Gallery (e.g. no frames)" checked, rather than "... are not the same".
    bool IndexIsGallery = true;
    // The gallery name field is editable only when the index is not the gallery.
    bool GalleryNameEnabled = false;
    std::string GalleryName;
};

// The panel rebuilt from the template: header, divider, every extra page ("HTML"), then
// every plain copy ("Other"), each with its source, directory and name.
TFileManagerPanel RefreshFileManager(const TTemplate& tpl);
// With no current template the grid keeps only its header and divider.
TFileManagerPanel EmptyFileManager();

}  // namespace fsc
