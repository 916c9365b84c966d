// The EXIF orientation tag of a JPEG and the turn that makes a picture stored that way upright.
#include "imaging/ExifOrientation.h"

#include <libexif/exif-data.h>

#include <memory>

namespace fsc {

namespace {

struct ExifDataUnref {
    void operator()(ExifData* data) const { exif_data_unref(data); }
};

// Where stored pixel (x, y) of a w x h picture lands in the upright picture.
struct Placement {
    int X, Y;
};

Placement Place(int orientation, int x, int y, int w, int h) {
    switch (orientation) {
        case 2:
            return {w - 1 - x, y};
        case 3:
            return {w - 1 - x, h - 1 - y};
        case 4:
            return {x, h - 1 - y};
        case 5:
            return {y, x};
        case 6:
            return {h - 1 - y, x};
        case 7:
            return {h - 1 - y, w - 1 - x};
        case 8:
            return {y, w - 1 - x};
        default:
            return {x, y};
    }
}

}  // namespace

int ExifOrientation(const std::uint8_t* app1Payload, std::size_t size) {
    if (app1Payload == nullptr || size < 6) return 1;
    std::unique_ptr<ExifData, ExifDataUnref> data(exif_data_new());
    if (!data) return 1;
    // Only the orientation is wanted: skip the maker notes, whose parsers are
    // the least robust part of libexif.
    exif_data_unset_option(data.get(), EXIF_DATA_OPTION_FOLLOW_SPECIFICATION);
    exif_data_set_option(data.get(), EXIF_DATA_OPTION_DONT_CHANGE_MAKER_NOTE);
    exif_data_load_data(data.get(), app1Payload, unsigned(size));
    ExifEntry* entry = exif_content_get_entry(data->ifd[EXIF_IFD_0], EXIF_TAG_ORIENTATION);
    if (entry == nullptr || entry->format != EXIF_FORMAT_SHORT || entry->components < 1 ||
        entry->size < 2)
        return 1;
    const int orientation = exif_get_short(entry->data, exif_data_get_byte_order(data.get()));
    return orientation >= 1 && orientation <= 8 ? orientation : 1;
}

TBitmap OrientUpright(const TBitmap& stored, int orientation) {
    if (orientation <= 1 || orientation > 8) return stored;
    const int w = stored.Width, h = stored.Height;
    const bool turned = orientation >= 5;
    TBitmap upright(turned ? h : w, turned ? w : h);
    for (int y = 0; y < h; y++) {
        const std::uint8_t* from = stored.Row(y);
        for (int x = 0; x < w; x++, from += 3) {
            const Placement at = Place(orientation, x, y, w, h);
            std::uint8_t* to = upright.Row(at.Y) + std::size_t(at.X) * 3;
            to[0] = from[0];
            to[1] = from[1];
            to[2] = from[2];
        }
    }
    return upright;
}

}  // namespace fsc
