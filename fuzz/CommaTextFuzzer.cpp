// libFuzzer target of comma text: any text splits, and the items written back as comma text
// read as the same items.
#include "FuzzFiles.h"
#include "base/TStringList.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace fsc;
    const TStringList items = FromCommaText(fuzz::AsText(data, size));
    fuzz::Require(FromCommaText(ToCommaText(items)) == items);
    return 0;
}
