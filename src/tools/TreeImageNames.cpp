// Naming the images of a directory-tree gallery.
#include "tools/TreeImageNames.h"

#include "base/Paths.h"
#include "base/Text.h"

namespace fsc {

namespace {

bool IsTaken(const TThumbnailArray& images, const TStringList& folderFiles,
             const std::string& name) {
    for (std::size_t i = 0; i + 1 < images.size(); ++i) {
        if (SameText(images[i].Name, name)) return true;
    }
    for (const std::string& file : folderFiles) {
        if (SameText(file, name)) return true;
    }
    return false;
}

std::string Stem(const std::string& name) {
    return name.substr(0, name.size() - ExtractFileExt(name).size());
}

// A JPEG whose name needs no change but its extension's spelling can be its own copy.
bool IsOwnCopyName(const std::string& name, const std::string& own) {
    const std::string extension = LowerCase(ExtractFileExt(own));
    if (extension != ".jpg" && extension != ".jpeg") return false;
    return SameText(Stem(name), Stem(own));
}

}  // namespace

void KeepCopyOffOtherFiles(TThumbnailArray& images, const TStringList& folderFiles) {
    TThumbnail& thumb = images.back();
    const std::string own = ExtractFileName(thumb.FileName);
    if (IsOwnCopyName(thumb.Name, own)) {
        thumb.Name = own;
    } else {
        thumb.Name = FreeImageName(images, folderFiles, thumb.Name);
    }
    thumb.Link = thumb.Name;
}

std::string FreeImageName(const TThumbnailArray& images, const TStringList& folderFiles,
                          const std::string& wanted) {
    std::string name = wanted;
    for (int n = 2; IsTaken(images, folderFiles, name); ++n) {
        name = Stem(wanted) + "_" + std::to_string(n) + ExtractFileExt(wanted);
    }
    return name;
}

}  // namespace fsc
