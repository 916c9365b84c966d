// libFuzzer target of the icon plug-in's decoder (DIB and embedded PNG images).
#include "FuzzDecode.h"
#include "IcoDecoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return fsc::fuzz::Run(data, size, [](std::string_view b) { fsc::ico::DecodeIco(b); });
}
