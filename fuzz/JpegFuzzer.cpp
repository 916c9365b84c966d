// libFuzzer target of the JPEG reader: error manager, CMYK and EXIF handling around libjpeg.
#include "FuzzDecode.h"
#include "imaging/JpegReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return fsc::fuzz::Run(data, size,
                          [](std::string_view b) { fsc::DecodeJpeg(b, fsc::fuzz::MaxFuzzPixels); });
}
