// Making the tile of a subfolder gallery.
#include "tools/SubfolderTiles.h"

#include "app/AddImages.h"
#include "app/ImageNames.h"
#include "base/WebText.h"
#include "tools/TreeImageNames.h"

namespace fsc {

namespace {

// The image name the subfolder's name gives, as a picture's file name gives it. A "\" would
// read as a separator wherever a path is taken apart, and "x:" as a drive.
std::string CoverName(std::string name) {
    for (char& c : name) {
        if (c == '\\' || c == ':') c = '_';
    }
    return SaveAsName(name + ".jpg");
}

}  // namespace

bool AddSubfolderTile(TThumbnailArray& images, const TStringList& folderFiles,
                      const TSubfolderGallery& gallery, const std::string& pageName) {
    if (!AddOneFile(images, gallery.Cover)) return false;
    TThumbnail& tile = images.back();
    tile.Name = FreeImageName(images, folderFiles, CoverName(gallery.Name));
    tile.Link = tile.Name;
    // The pages write a hint as text: the folder's name is shown, and read out, as it is.
    tile.Hint = gallery.Name;
    if (!pageName.empty()) {
        tile.useOtherLink = true;
        tile.OtherLink = UrlPath(gallery.Name + "/" + pageName);
    }
    return true;
}

}  // namespace fsc
