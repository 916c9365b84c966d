// The EXIF block of a picture file of any format that carries one.
#include "imaging/PictureExif.h"

#include "base/Errors.h"
#include "base/Text.h"
#include "imaging/ExifOrientation.h"
#include "imaging/ExifSegment.h"
#include "imaging/HeifReader.h"
#include "imaging/PictureFile.h"
#include "imaging/TiffExif.h"
#include "imaging/WebpReader.h"

namespace fsc {

namespace {

constexpr std::string_view ExifHeader("Exif\0\0", 6);

bool EndsWithAny(const std::string& name, std::initializer_list<const char*> extensions) {
    const std::string upper = UpperCase(name);
    for (const char* extension : extensions)
        if (EndsWith(upper, extension)) return true;
    return false;
}

}  // namespace

std::string ExifPayloadFromBlock(std::string_view block) {
    if (block.empty() || block.starts_with(ExifHeader)) return std::string(block);
    return std::string(ExifHeader) + std::string(block);
}

int PayloadOrientation(const std::string& payload) {
    return ExifOrientation(reinterpret_cast<const std::uint8_t*>(payload.data()), payload.size());
}

std::string ReadPictureExif(const std::string& fileName) {
    if (EndsWithAny(fileName, {".JPG", ".JPEG", ".JPE"})) return ReadExifPayload(fileName);
    const bool webp = EndsWithAny(fileName, {".WEBP"});
    const bool tiff = EndsWithAny(fileName, {".TIF", ".TIFF", ".CR2", ".NEF", ".ARW", ".DNG"});
    if (!webp && !tiff && !EndsWithAny(fileName, {".HEIC", ".HEIF", ".AVIF"})) return {};
    try {
        const std::string bytes = ReadPictureFile(fileName);
        if (tiff) return TiffExifPayload(bytes);
        return webp ? WebpExifPayload(bytes) : HeifExifPayload(bytes);
    } catch (const EFSC_Exception&) {
        return {};
    }
}

}  // namespace fsc
