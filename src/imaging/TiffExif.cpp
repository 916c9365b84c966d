// The photo's EXIF data out of a TIFF-structured file, through Exiv2, which reads a directory
// wherever the file keeps it (libtiff writes it after the pixels, beyond what an APP1
// segment's reader looks at).
#include "imaging/TiffExif.h"

#include <exiv2/exiv2.hpp>
#include <mutex>
#include <set>

#include "imaging/JpegWriter.h"

namespace fsc {

namespace {

// The first directory's tags that describe the photo rather than the file's pixels; the
// pointers to the EXIF and GPS directories are rebuilt by the encoder.
const std::set<std::string> PhotoTagsOfTheFirstDirectory = {
    "ImageDescription", "Make",     "Model",      "Orientation", "XResolution", "YResolution",
    "ResolutionUnit",   "Software", "DateTime",   "Artist",      "Copyright",   "XPTitle",
    "XPComment",        "XPAuthor", "XPKeywords", "XPSubject",   "Rating",      "RatingPercent"};

bool DescribesThePhoto(const Exiv2::Exifdatum& datum) {
    const std::string group = datum.groupName();
    if (group == "Image") return PhotoTagsOfTheFirstDirectory.count(datum.tagName()) > 0;
    return group == "Photo" || group == "GPSInfo" || group == "Iop" ||
           Exiv2::ExifTags::isMakerGroup(group);
}

Exiv2::Blob Encoded(const Exiv2::ExifData& data) {
    Exiv2::Blob blob;
    Exiv2::ExifParser::encode(blob, Exiv2::littleEndian, data);
    return blob;
}

// Exiv2 reads XMP packets with a library that must be set up once before threads use it,
// and reports what it skips on stderr, which is not the program's to print.
void SetUpExiv2() {
    static std::once_flag once;
    std::call_once(once, [] {
        Exiv2::XmpParser::initialize();
        Exiv2::LogMsg::setLevel(Exiv2::LogMsg::mute);
    });
}

}  // namespace

std::string TiffExifPayload(std::string_view file) {
    SetUpExiv2();
    try {
        Exiv2::Image::AutoPtr image = Exiv2::ImageFactory::open(
            reinterpret_cast<const Exiv2::byte*>(file.data()), long(file.size()));
        image->readMetadata();
        Exiv2::ExifData photo;
        for (const Exiv2::Exifdatum& datum : image->exifData())
            if (DescribesThePhoto(datum)) photo.add(datum);
        if (photo.empty()) return {};
        constexpr std::size_t HeaderSize = 6;
        Exiv2::Blob blob = Encoded(photo);
        if (blob.size() + HeaderSize > MaxMarkerPayload) {
            for (auto datum = photo.begin(); datum != photo.end();) {
                datum = Exiv2::ExifTags::isMakerGroup(datum->groupName()) ||
                                datum->tagName() == "MakerNote"
                            ? photo.erase(datum)
                            : std::next(datum);
            }
            blob = Encoded(photo);
        }
        if (blob.empty() || blob.size() + HeaderSize > MaxMarkerPayload) return {};
        return std::string("Exif\0\0", HeaderSize) + std::string(blob.begin(), blob.end());
    } catch (const Exiv2::AnyError&) {
        return {};
    }
}

}  // namespace fsc
