// EXIF blocks written by libexif for the tests.
#include "ExifSamples.h"

#include <libexif/exif-loader.h>

#include <cstdlib>
#include <cstring>

namespace fsc::test {

namespace {

ExifEntry* AddEntry(ExifData* data, ExifIfd ifd, ExifTag tag, ExifFormat format,
                    unsigned components) {
    ExifEntry* entry = exif_entry_new();
    entry->tag = tag;
    entry->format = format;
    entry->components = components;
    entry->size = exif_format_get_size(format) * components;
    entry->data = static_cast<unsigned char*>(std::calloc(entry->size, 1));
    exif_content_add_entry(data->ifd[ifd], entry);
    exif_entry_unref(entry);
    return entry;
}

void AddText(ExifData* data, ExifIfd ifd, ExifTag tag, const std::string& text) {
    if (text.empty()) return;
    ExifEntry* entry = AddEntry(data, ifd, tag, EXIF_FORMAT_ASCII, unsigned(text.size() + 1));
    std::memcpy(entry->data, text.c_str(), text.size() + 1);
}

void AddRationals(ExifData* data, ExifIfd ifd, ExifTag tag,
                  std::initializer_list<ExifRational> values) {
    ExifEntry* entry = AddEntry(data, ifd, tag, EXIF_FORMAT_RATIONAL, unsigned(values.size()));
    unsigned i = 0;
    for (const ExifRational& value : values)
        exif_set_rational(entry->data + 8 * i++, exif_data_get_byte_order(data), value);
}

void AddShort(ExifData* data, ExifIfd ifd, ExifTag tag, unsigned value) {
    ExifEntry* entry = AddEntry(data, ifd, tag, EXIF_FORMAT_SHORT, 1);
    exif_set_short(entry->data, exif_data_get_byte_order(data), ExifShort(value));
}

void AddGps(ExifData* data, bool southWest) {
    AddText(data, EXIF_IFD_GPS, ExifTag(EXIF_TAG_GPS_LATITUDE_REF), southWest ? "S" : "N");
    AddRationals(data, EXIF_IFD_GPS, ExifTag(EXIF_TAG_GPS_LATITUDE), {{48, 1}, {51, 1}, {296, 10}});
    AddText(data, EXIF_IFD_GPS, ExifTag(EXIF_TAG_GPS_LONGITUDE_REF), southWest ? "W" : "E");
    AddRationals(data, EXIF_IFD_GPS, ExifTag(EXIF_TAG_GPS_LONGITUDE), {{2, 1}, {17, 1}, {402, 10}});
}

}  // namespace

Bytes ExifPayload(const TExifSample& sample) {
    TExifDataPtr data(exif_data_new());
    exif_data_unset_option(data.get(), EXIF_DATA_OPTION_FOLLOW_SPECIFICATION);
    exif_data_set_byte_order(data.get(),
                             sample.BigEndian ? EXIF_BYTE_ORDER_MOTOROLA : EXIF_BYTE_ORDER_INTEL);
    AddText(data.get(), EXIF_IFD_0, EXIF_TAG_MAKE, sample.Make);
    AddText(data.get(), EXIF_IFD_0, EXIF_TAG_MODEL, sample.Model);
    if (sample.Orientation > 0)
        AddShort(data.get(), EXIF_IFD_0, EXIF_TAG_ORIENTATION, unsigned(sample.Orientation));
    AddText(data.get(), EXIF_IFD_EXIF, EXIF_TAG_DATE_TIME_ORIGINAL, sample.Taken);
    AddText(data.get(), EXIF_IFD_EXIF, EXIF_TAG_LENS_MODEL, sample.Lens);
    if (sample.ExposureDenominator > 0)
        AddRationals(data.get(), EXIF_IFD_EXIF, EXIF_TAG_EXPOSURE_TIME,
                     {{sample.ExposureNumerator, sample.ExposureDenominator}});
    if (sample.FNumberTimesTen > 0)
        AddRationals(data.get(), EXIF_IFD_EXIF, EXIF_TAG_FNUMBER, {{sample.FNumberTimesTen, 10}});
    if (sample.Iso > 0) AddShort(data.get(), EXIF_IFD_EXIF, EXIF_TAG_ISO_SPEED_RATINGS, sample.Iso);
    if (sample.FocalLength > 0)
        AddRationals(data.get(), EXIF_IFD_EXIF, EXIF_TAG_FOCAL_LENGTH, {{sample.FocalLength, 1}});
    if (sample.Gps) AddGps(data.get(), sample.SouthWest);
    if (!sample.Thumbnail.empty()) {
        data->data = static_cast<unsigned char*>(std::malloc(sample.Thumbnail.size()));
        std::memcpy(data->data, sample.Thumbnail.data(), sample.Thumbnail.size());
        data->size = unsigned(sample.Thumbnail.size());
    }
    unsigned char* saved = nullptr;
    unsigned size = 0;
    exif_data_save_data(data.get(), &saved, &size);
    Bytes payload(reinterpret_cast<const char*>(saved), size);
    std::free(saved);
    return payload;
}

Bytes WithExif(const Bytes& jpeg, const Bytes& payload) {
    Bytes segment = "\xFF\xE1";
    segment += char((payload.size() + 2) >> 8);
    segment += char((payload.size() + 2) & 0xFF);
    return jpeg.substr(0, 2) + segment + payload + jpeg.substr(2);
}

std::optional<TJpegSegment> ExifSegmentOf(std::string_view jpeg) {
    for (const TSegmentEntry& entry : ListSegments(jpeg)) {
        if (entry.Marker == 0xE1 && jpeg.substr(entry.PayloadOffset, entry.PayloadSize())
                                        .starts_with(std::string_view("Exif\0\0", 6)))
            return entry.Segment;
    }
    return std::nullopt;
}

TExifDataPtr ExifOfFile(const std::string& path) {
    ExifLoader* loader = exif_loader_new();
    exif_loader_write_file(loader, path.c_str());
    const unsigned char* buffer = nullptr;
    unsigned int size = 0;
    exif_loader_get_buf(loader, &buffer, &size);
    TExifDataPtr data;
    if (buffer != nullptr && size > 0) {
        data.reset(exif_data_new());
        exif_data_unset_option(data.get(), EXIF_DATA_OPTION_FOLLOW_SPECIFICATION);
        exif_data_unset_option(data.get(), EXIF_DATA_OPTION_IGNORE_UNKNOWN_TAGS);
        exif_data_load_data(data.get(), buffer, size);
    }
    exif_loader_unref(loader);
    return data;
}

std::string ExifText(ExifData* data, ExifIfd ifd, ExifTag tag) {
    ExifEntry* entry = exif_content_get_entry(data->ifd[ifd], tag);
    if (entry == nullptr) return {};
    char text[256] = {};
    exif_entry_get_value(entry, text, sizeof text);
    return text;
}

int ExifOrientationOf(ExifData* data) {
    ExifEntry* entry = exif_content_get_entry(data->ifd[EXIF_IFD_0], EXIF_TAG_ORIENTATION);
    if (entry == nullptr) return 0;
    return exif_get_short(entry->data, exif_data_get_byte_order(data));
}

}  // namespace fsc::test
