// libFuzzer target of the WebP reader's glue around its library.
#include "FuzzDecode.h"
#include "imaging/WebpReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return fsc::fuzz::Run(data, size, [](std::string_view b) {
        fsc::WebpExifPayload(b);
        fsc::DecodeWebp(b, fsc::fuzz::MaxFuzzPixels);
    });
}
