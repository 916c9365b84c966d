// Forged HEIF files that once made the reader's library allocate gigabytes: each is refused
// with a message, and the memory the process reaches stays small.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <filesystem>

#include "base/Errors.h"
#include "base/Files.h"
#include "imaging/HeifReader.h"

namespace fsc {
namespace {

long PeakKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

TEST(HeifReader, ForgedCanvasSizesAreRefusedWithoutTakingTheirMemory) {
    const std::filesystem::path folder = std::filesystem::path(FSC_FUZZ_SEEDS_DIR) / "heif";
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        SCOPED_TRACE(entry.path().filename().string());
        ++files;
        const std::string bytes = ReadFileBytes(entry.path().string());
        const long before = PeakKilobytes();
        EXPECT_THROW(DecodeHeif(bytes, 4'000'000), EFSC_Exception);
        EXPECT_LT(PeakKilobytes() - before, 256L << 10);
    }
    EXPECT_GE(files, 2);
}

}  // namespace
}  // namespace fsc
