// libFuzzer target of the TIFF reader's glue around its library.
#include "FuzzDecode.h"
#include "imaging/TiffReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return fsc::fuzz::Run(data, size,
                          [](std::string_view b) { fsc::DecodeTiff(b, fsc::fuzz::MaxFuzzPixels); });
}
