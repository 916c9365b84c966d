// EXIF blocks written by libexif for the tests, as a camera writes them, and libexif's own
// view of the block a written file carries.
#pragma once

#include <libexif/exif-data.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "PictureSamples.h"
#include "imaging/ExifSegment.h"

namespace fsc::test {

// What the camera recorded; an empty text or a zero leaves the tag out.
struct TExifSample {
    std::string Taken = "2021:07:14 10:30:05";
    std::string Make = "Canon";
    std::string Model = "Canon EOS 5D";
    std::string Lens = "EF35mm f/2";
    unsigned ExposureNumerator = 1, ExposureDenominator = 250;
    unsigned FNumberTimesTen = 56;
    unsigned Iso = 400;
    unsigned FocalLength = 35;
    // 48 deg 51' 29.6" N, 2 deg 17' 40.2" E unless turned off or moved south and west.
    bool Gps = true;
    bool SouthWest = false;
    int Orientation = 6;
    // JPEG bytes of the embedded preview; none when empty.
    Bytes Thumbnail;
    bool BigEndian = false;
};

// The APP1 payload: "Exif\0\0" and the TIFF block.
Bytes ExifPayload(const TExifSample& sample);
// The JPEG with an APP1 segment holding `payload` right after SOI.
Bytes WithExif(const Bytes& jpeg, const Bytes& payload);
// Where that block lies in a JPEG file: the first APP1 segment whose payload starts
// "Exif\0\0"; none when the file has none.
std::optional<TJpegSegment> ExifSegmentOf(std::string_view jpeg);

struct TExifDataUnref {
    void operator()(ExifData* data) const { exif_data_unref(data); }
};
using TExifDataPtr = std::unique_ptr<ExifData, TExifDataUnref>;

// The block of a JPEG file as libexif's loader finds it, loaded without adding or fixing
// anything; null when the file has none.
TExifDataPtr ExifOfFile(const std::string& path);
// The entry's value as libexif prints it; empty when the tag is missing.
std::string ExifText(ExifData* data, ExifIfd ifd, ExifTag tag);
int ExifOrientationOf(ExifData* data);

}  // namespace fsc::test
