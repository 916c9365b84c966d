// The exchange sort of the image list.
#include "engine/SortThumbnails.h"

#include <utility>

#include "base/Text.h"

namespace fsc {

namespace {

bool Greater(const TThumbnail& a, const TThumbnail& b, int key) {
    if (key == SortByDate) return a.FileDate > b.FileDate;
    return UpperCase(a.Name) > UpperCase(b.Name);
}

}  // namespace

void SortThumbnails(TThumbnailArray& thumbs, int key, bool ascending) {
    if (thumbs.size() < 2) return;
    for (std::size_t i = 0; i + 1 < thumbs.size(); ++i) {
        for (std::size_t j = i + 1; j < thumbs.size(); ++j) {
            const bool greater = Greater(thumbs[i], thumbs[j], key);
            if (ascending ? greater : !greater) std::swap(thumbs[i], thumbs[j]);
        }
    }
}

}  // namespace fsc
