// Field access of job lines and profile lines.
#include "ftp/JobLine.h"

namespace fsc {

std::string JobField(std::string_view line, int k) {
    std::size_t start = 0;
    for (int i = 0; i < k; ++i) {
        const std::size_t semicolon = line.find(';', start);
        if (semicolon == std::string_view::npos) return {};
        start = semicolon + 1;
    }
    const std::size_t end = line.find(';', start);
    return std::string(line.substr(start, end == std::string_view::npos ? end : end - start));
}

}  // namespace fsc
