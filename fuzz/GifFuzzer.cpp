// libFuzzer target of the GIF plug-in's reader: frames, transparency and interlace over giflib.
#include "FuzzDecode.h"
#include "GifDecoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return fsc::fuzz::Run(
        data, size, [](std::string_view b) { fsc::gif::DecodeGif(b, fsc::fuzz::MaxFuzzPixels); });
}
