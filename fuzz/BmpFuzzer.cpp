// libFuzzer target of the BMP decoder.
#include "FuzzDecode.h"
#include "imaging/BmpReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return fsc::fuzz::Run(data, size,
                          [](std::string_view b) { fsc::DecodeBmp(b, fsc::fuzz::MaxFuzzPixels); });
}
