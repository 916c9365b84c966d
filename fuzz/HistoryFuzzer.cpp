// libFuzzer target of the build history journal. Odd inputs are read as they are; even ones
// have each line given its check first, so that the records behind the checks are reached.
#include <cstdio>

#include "FuzzFiles.h"
#include "engine/BuildHistory.h"

namespace {

// The journal's line check: FNV-1a of the line, its low 32 bits in hexadecimal.
std::string WithCheck(const std::string& body) {
    std::uint64_t hash = 14695981039346656037ull;
    for (unsigned char c : body) hash = (hash ^ c) * 1099511628211ull;
    char check[9];
    std::snprintf(check, sizeof check, "%08llx",
                  static_cast<unsigned long long>(hash & 0xffffffffu));
    return body + "\t" + check;
}

std::string CheckedLines(std::string_view text) {
    std::string lines;
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) {
            // A last line without its end stays as the cut-short line the reader passes over.
            lines += text.substr(start);
            break;
        }
        lines += WithCheck(std::string(text.substr(start, end - start))) + "\n";
        start = end + 1;
    }
    return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace fsc;
    if (size == 0) return 0;
    const std::string_view text = fuzz::AsText(data + 1, size - 1);
    const std::string path =
        fuzz::ScratchFile(HistoryFileName, data[0] % 2 ? std::string(text) : CheckedLines(text));
    fuzz::Refusing([&] {
        const THistoryContents contents = ReadHistoryFile(path);
        for (const THistoryBuild& build : contents.Builds)
            fuzz::Require(build.BackupFiles.size() == build.RestoreFiles.size());
    });
    return 0;
}
