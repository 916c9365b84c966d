// A photo's EXIF block, read and rewritten with libexif.
#include "imaging/ExifBlock.h"

#include <libexif/exif-data.h>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "base/Text.h"
#include "imaging/JpegWriter.h"

namespace fsc {

namespace {

// Text an ASCII entry holds, up to its terminating zero, without control characters and
// surrounding blanks (cameras pad their names with both).
std::string Ascii(const ExifEntry* entry) {
    if (entry == nullptr || entry->format != EXIF_FORMAT_ASCII || entry->data == nullptr) return {};
    std::string text;
    for (unsigned i = 0; i < entry->size && entry->data[i] != 0; ++i) {
        if (entry->data[i] >= 0x20 && entry->data[i] != 0x7F) text += char(entry->data[i]);
    }
    return Trim(text);
}

bool HasComponents(const ExifEntry* entry, ExifFormat format, unsigned count) {
    return entry != nullptr && entry->data != nullptr && entry->format == format &&
           entry->components >= count && entry->size >= count * exif_format_get_size(format);
}

// The i-th rational of the entry; NaN when there is none or it divides by zero.
double Rational(const ExifEntry* entry, ExifByteOrder order, unsigned i = 0) {
    if (!HasComponents(entry, EXIF_FORMAT_RATIONAL, i + 1)) return NAN;
    const ExifRational value = exif_get_rational(entry->data + i * 8, order);
    if (value.denominator == 0) return NAN;
    return double(value.numerator) / double(value.denominator);
}

// A number with `digits` decimals, trailing zeros dropped unless kept: 5.6, 8, 2.5.
std::string Decimal(double value, int digits, bool keepZeros = false) {
    char text[64];
    const auto result =
        std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, digits);
    std::string out(text, result.ptr);
    if (!keepZeros && digits > 0 && out.find('.') != std::string::npos) {
        while (out.back() == '0') out.pop_back();
        if (out.back() == '.') out.pop_back();
    }
    return out;
}

TDateTime ParseExifDate(const std::string& text) {
    int year, month, day, hour, minute, second;
    if (std::sscanf(text.c_str(), "%4d:%2d:%2d %2d:%2d:%2d", &year, &month, &day, &hour, &minute,
                    &second) != 6)
        return 0;
    // Cameras without a clock write zeros or blanks.
    if (year < 1900 || year > 9999 || month < 1 || month > 12 || day < 1 || day > 31 || hour < 0 ||
        hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 60)
        return 0;
    return EncodeDateTime(year, month, day, hour, minute, std::min(second, 59));
}

std::string CameraName(const std::string& make, const std::string& model) {
    if (make.empty()) return model;
    if (model.empty()) return make;
    // "Canon" + "Canon EOS 5D", or "NIKON CORPORATION" + "NIKON D750": the model says it all.
    const std::string firstWord = make.substr(0, make.find(' '));
    if (StartsWithNoCase(model, firstWord)) return model;
    return make + " " + model;
}

std::string ExposureText(double seconds) {
    if (!(seconds > 0) || !std::isfinite(seconds)) return {};
    if (seconds < 1) return "1/" + Decimal(std::round(1 / seconds), 0) + " s";
    return Decimal(seconds, 1) + " s";
}

std::string PositiveText(double value, const std::string& before, const std::string& after) {
    if (!(value > 0) || !std::isfinite(value)) return {};
    return before + Decimal(value, 1) + after;
}

std::string IsoText(const ExifEntry* entry, ExifByteOrder order) {
    if (HasComponents(entry, EXIF_FORMAT_SHORT, 1))
        return std::to_string(exif_get_short(entry->data, order));
    if (HasComponents(entry, EXIF_FORMAT_LONG, 1))
        return std::to_string(exif_get_long(entry->data, order));
    return {};
}

// Degrees, minutes and seconds to signed decimal degrees; NaN when incomplete or out of range.
double Coordinate(ExifContent* gps, ExifTag valueTag, ExifTag refTag, char negative, double limit,
                  ExifByteOrder order) {
    const ExifEntry* value = exif_content_get_entry(gps, valueTag);
    const double degrees = Rational(value, order, 0) + Rational(value, order, 1) / 60 +
                           Rational(value, order, 2) / 3600;
    if (!std::isfinite(degrees) || degrees < 0 || degrees > limit) return NAN;
    const std::string ref = UpperCase(Ascii(exif_content_get_entry(gps, refTag)));
    return !ref.empty() && ref[0] == negative ? -degrees : degrees;
}

std::string GpsText(ExifContent* gps, ExifByteOrder order) {
    const double latitude = Coordinate(gps, ExifTag(EXIF_TAG_GPS_LATITUDE),
                                       ExifTag(EXIF_TAG_GPS_LATITUDE_REF), 'S', 90, order);
    const double longitude = Coordinate(gps, ExifTag(EXIF_TAG_GPS_LONGITUDE),
                                        ExifTag(EXIF_TAG_GPS_LONGITUDE_REF), 'W', 180, order);
    if (std::isnan(latitude) || std::isnan(longitude)) return {};
    return Decimal(latitude, 6, true) + ", " + Decimal(longitude, 6, true);
}

void Clear(ExifContent* content) {
    while (content->count > 0) exif_content_remove_entry(content, content->entries[0]);
}

void SetNumber(ExifEntry* entry, ExifByteOrder order, unsigned value) {
    if (HasComponents(entry, EXIF_FORMAT_SHORT, 1) && value <= 0xFFFF) {
        exif_set_short(entry->data, order, ExifShort(value));
    } else if (HasComponents(entry, EXIF_FORMAT_LONG, 1)) {
        exif_set_long(entry->data, order, value);
    }
}

}  // namespace

void TExifBlock::TUnref::operator()(_ExifData* block) const { exif_data_unref(block); }

TExifBlock::TExifBlock(std::string_view app1Payload) : data(exif_data_new()) {
    if (!data || app1Payload.size() < 6) return;
    // Keep what the camera wrote: unknown tags stay, nothing is added or "fixed", and the
    // maker note's bytes are left as they are.
    exif_data_unset_option(data.get(), EXIF_DATA_OPTION_IGNORE_UNKNOWN_TAGS);
    exif_data_unset_option(data.get(), EXIF_DATA_OPTION_FOLLOW_SPECIFICATION);
    exif_data_set_option(data.get(), EXIF_DATA_OPTION_DONT_CHANGE_MAKER_NOTE);
    exif_data_load_data(data.get(), reinterpret_cast<const unsigned char*>(app1Payload.data()),
                        unsigned(app1Payload.size()));
}

TExifBlock::~TExifBlock() = default;

bool TExifBlock::Readable() const {
    if (!data) return false;
    for (ExifContent* content : data->ifd) {
        if (content != nullptr && content->count > 0) return true;
    }
    return false;
}

bool TExifBlock::HasLocation() const {
    return data && data->ifd[EXIF_IFD_GPS] != nullptr && data->ifd[EXIF_IFD_GPS]->count > 0;
}

TPhotoData TExifBlock::PhotoData() const {
    TPhotoData photo;
    if (!Readable()) return photo;
    ExifData* d = data.get();
    const ExifByteOrder order = exif_data_get_byte_order(d);
    ExifContent* exif = d->ifd[EXIF_IFD_EXIF];
    ExifContent* main = d->ifd[EXIF_IFD_0];
    photo.Taken = ParseExifDate(Ascii(exif_content_get_entry(exif, EXIF_TAG_DATE_TIME_ORIGINAL)));
    if (photo.Taken == 0)
        photo.Taken =
            ParseExifDate(Ascii(exif_content_get_entry(exif, EXIF_TAG_DATE_TIME_DIGITIZED)));
    photo.Camera = CameraName(Ascii(exif_content_get_entry(main, EXIF_TAG_MAKE)),
                              Ascii(exif_content_get_entry(main, EXIF_TAG_MODEL)));
    photo.Lens = Ascii(exif_content_get_entry(exif, EXIF_TAG_LENS_MODEL));
    photo.Exposure =
        ExposureText(Rational(exif_content_get_entry(exif, EXIF_TAG_EXPOSURE_TIME), order));
    photo.Aperture =
        PositiveText(Rational(exif_content_get_entry(exif, EXIF_TAG_FNUMBER), order), "f/", "");
    photo.Iso = IsoText(exif_content_get_entry(exif, EXIF_TAG_ISO_SPEED_RATINGS), order);
    photo.FocalLength = PositiveText(
        Rational(exif_content_get_entry(exif, EXIF_TAG_FOCAL_LENGTH), order), "", " mm");
    photo.Gps = GpsText(d->ifd[EXIF_IFD_GPS], order);
    return photo;
}

std::string TExifBlock::Rewritten(const TExifChanges& changes) {
    if (!Readable()) return {};
    ExifData* d = data.get();
    const ExifByteOrder order = exif_data_get_byte_order(d);
    if (changes.Upright) {
        ExifEntry* orientation = exif_content_get_entry(d->ifd[EXIF_IFD_0], EXIF_TAG_ORIENTATION);
        if (HasComponents(orientation, EXIF_FORMAT_SHORT, 1)) {
            exif_set_short(orientation->data, order, 1);
        } else if (orientation != nullptr) {
            exif_content_remove_entry(d->ifd[EXIF_IFD_0], orientation);
        }
    }
    if (changes.DropThumbnail) {
        // libexif's default allocator, which loaded the preview, is the C library's.
        std::free(d->data);
        d->data = nullptr;
        d->size = 0;
        Clear(d->ifd[EXIF_IFD_1]);
    }
    if (changes.RemoveLocation) Clear(d->ifd[EXIF_IFD_GPS]);
    ExifContent* exif = d->ifd[EXIF_IFD_EXIF];
    if (changes.Width > 0)
        SetNumber(exif_content_get_entry(exif, EXIF_TAG_PIXEL_X_DIMENSION), order,
                  unsigned(changes.Width));
    if (changes.Height > 0)
        SetNumber(exif_content_get_entry(exif, EXIF_TAG_PIXEL_Y_DIMENSION), order,
                  unsigned(changes.Height));
    unsigned char* saved = nullptr;
    unsigned int size = 0;
    exif_data_save_data(d, &saved, &size);
    std::string payload;
    if (saved != nullptr && size <= MaxMarkerPayload)
        payload.assign(reinterpret_cast<const char*>(saved), size);
    std::free(saved);
    return payload;
}

}  // namespace fsc
