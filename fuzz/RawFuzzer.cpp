// libFuzzer target of the camera raw reader's glue around LibRaw and its embedded preview.
#include "FuzzDecode.h"
#include "imaging/RawPreviewReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return fsc::fuzz::Run(
        data, size, [](std::string_view b) { fsc::DecodeRawPreview(b, fsc::fuzz::MaxFuzzPixels); });
}
