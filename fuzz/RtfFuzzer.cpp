// libFuzzer target of the RTF reader: damaged input never fails, and the runs keep their
// promise of no empty run and no two neighbours in the same style.
#include "FuzzFiles.h"
#include "base/RtfText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace fsc;
    const std::string_view bytes = fuzz::AsText(data, size);
    IsRtf(bytes);
    const TRtfText text = ReadRtf(bytes);
    for (std::size_t i = 0; i < text.size(); ++i) {
        fuzz::Require(!text[i].Text.empty());
        if (i > 0)
            fuzz::Require(text[i].Bold != text[i - 1].Bold || text[i].Italic != text[i - 1].Italic);
    }
    return 0;
}
