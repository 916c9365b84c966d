// libFuzzer target of the HIPS decoder.
#include <string>
#include <vector>

#include "FuzzDecode.h"
#include "imaging/HipsReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return fsc::fuzz::Run(data, size, [](std::string_view b) {
        std::vector<std::string> notices;
        fsc::DecodeHips(b, &notices, fsc::fuzz::MaxFuzzPixels);
    });
}
