// libFuzzer target of the PCX decoder.
#include "FuzzDecode.h"
#include "imaging/PcxReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return fsc::fuzz::Run(data, size,
                          [](std::string_view b) { fsc::DecodePcx(b, fsc::fuzz::MaxFuzzPixels); });
}
