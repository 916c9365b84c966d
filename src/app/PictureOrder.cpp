// Sorting the image list by name or by the date a picture was taken.
#include "app/PictureOrder.h"

#include <algorithm>

#include "base/Text.h"
#include "imaging/ExifBlock.h"
#include "imaging/PictureExif.h"

namespace fsc {

namespace {

// The camera's date where it recorded one; a picture without one is placed by its file's
// date, the best guess of when it was made.
TDateTime DateTaken(const TThumbnail& picture) {
    const TDateTime taken = TExifBlock(ReadPictureExif(picture.FileName)).PhotoData().Taken;
    return taken != 0 ? taken : picture.FileDate;
}

}  // namespace

std::optional<TPictureOrder> PictureOrderNamed(const std::string& word) {
    if (word == "none") return TPictureOrder::AsGiven;
    if (word == "name") return TPictureOrder::Name;
    if (word == "date") return TPictureOrder::DateTaken;
    return std::nullopt;
}

void SortPictures(Workspace& ws, TPictureOrder order) {
    TThumbnailArray& pictures = ws.Images;
    if (order == TPictureOrder::Name) {
        std::stable_sort(pictures.begin(), pictures.end(),
                         [](const TThumbnail& a, const TThumbnail& b) {
                             return UpperCase(a.Name) < UpperCase(b.Name);
                         });
    } else if (order == TPictureOrder::DateTaken) {
        SortByDateTaken(pictures, true);
    }
}

void SortByDateTaken(TThumbnailArray& pictures, bool ascending) {
    // Each picture's EXIF is read once, not at every comparison.
    std::vector<std::pair<TDateTime, TThumbnail>> dated;
    dated.reserve(pictures.size());
    for (TThumbnail& picture : pictures) dated.emplace_back(DateTaken(picture), std::move(picture));
    std::stable_sort(dated.begin(), dated.end(), [ascending](const auto& a, const auto& b) {
        return ascending ? a.first < b.first : b.first < a.first;
    });
    for (std::size_t i = 0; i < dated.size(); ++i) pictures[i] = std::move(dated[i].second);
}

}  // namespace fsc
