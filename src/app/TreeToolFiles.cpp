// The directory-tree tool's own file names.
#include "app/TreeToolFiles.h"

#include "app/ImageNames.h"
#include "base/Text.h"

namespace fsc {

bool IsTreeToolFile(const std::string& name) {
    if (name.find(TreeThumbnailMark) != std::string::npos ||
        name.find(TreeThumbnailVariantMark) != std::string::npos)
        return true;
    return SameText(name, PlaceholderPictureName) ||
           SameText(name, SaveAsName(PlaceholderPictureName));
}

}  // namespace fsc
