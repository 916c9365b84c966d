// libFuzzer target of the FTP listing reader: a server's listing is read whole, line by line,
// or refused with the program's own error.
#include "FuzzFiles.h"
#include "ftp/ListingReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace fsc;
    // A fixed "now", so that a crash replays: 2024-06-15.
    const TDateTime now = 45458.5;
    const TStringList lines = SplitLines(fuzz::AsText(data, size));
    TFileList list;
    fuzz::Refusing([&] { ReadListing(lines, list, now); });
    for (const std::string& line : lines) {
        fuzz::Refusing([&] { ListingEntry(line, now); });
        ListingName(line, true);
    }
    return 0;
}
