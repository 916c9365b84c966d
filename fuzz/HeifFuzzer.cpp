// libFuzzer target of the HEIF and AVIF reader's glue around its library.
#include "FuzzDecode.h"
#include "imaging/HeifReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return fsc::fuzz::Run(data, size, [](std::string_view b) {
        fsc::HeifExifPayload(b);
        fsc::DecodeHeif(b, fsc::fuzz::MaxFuzzPixels);
    });
}
