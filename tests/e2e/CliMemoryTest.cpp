// Pictures whose headers promise far more than their files hold, built with the address space
// limited well below what their promised pixels would take: the build names the file and says
// what is wrong instead of running out of memory.
#include <gtest/gtest.h>

#include "base/Files.h"
#include "e2e/CliGallery.h"
#include "imaging/PictureSamples.h"

namespace fsc::test {
namespace {

// Four times what a build of small pictures on two threads maps (threads' stacks and heaps are
// reserved whole), and under a quarter of the 2.7 GB either lying header below asks for.
constexpr const char* AddressSpaceLimit = "--as=600000000";

ProgramResult BuildLimited(const TCliRun& run, const std::string& pictures) {
    return RunProgram(
        "/usr/bin/prlimit",
        {AddressSpaceLimit, "--", FSC_CLI_PATH, "build", "--images", pictures, "--html-dir",
         run.Root / "out", "--html-file", "index.html", "--jobs", "2", "--quiet"},
        run.Environment());
}

Bytes PngBomb() {
    PngLayout layout;
    layout.Width = layout.Height = 30000;
    return Png(layout);  // no rows: a few bytes of image data
}

Bytes BmpWithLyingHeader() {
    BmpLayout layout;
    layout.Width = layout.Height = 30000;
    layout.Data.assign(64, 0x55);
    return Bmp(layout);
}

TEST(CliMemory, HeadersPromisingMoreThanTheFileHoldsAreRefusedWithinAMemoryLimit) {
    {
        SCOPED_TRACE("the limit leaves room for a gallery of honest pictures");
        TCliRun run;
        WriteTestPictures(run.Root / "pictures");
        const ProgramResult result = BuildLimited(run, run.Root / "pictures");
        EXPECT_EQ(result.ExitCode, 0) << result.Err;
    }
    struct TCase {
        const char* File;
        Bytes Content;
        const char* Message;
    };
    const std::vector<TCase> cases{
        {"bomb.png", PngBomb(),
         "bomb.png\": PNG file is truncated: 30000 x 30000 pixels need more image data than it "
         "holds"},
        {"liar.bmp", BmpWithLyingHeader(),
         "liar.bmp\": BMP file is truncated: 30000 x 30000 pixels need more data than it holds"},
        // A 64 x 32 picture assembled on an overlay canvas of 26991 x 30316, found by fuzzing.
        {"overlay.heic",
         ReadFileBytes(FSC_FUZZ_SEEDS_DIR "/heif/overlay-canvas-larger-than-its-picture"),
         "overlay.heic\": HEIF picture cannot be decoded"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.File);
        TCliRun run;
        WriteTestPictures(run.Root / "pictures");
        WriteFileBytes(run.Root / ("pictures/" + std::string(c.File)), c.Content);
        const ProgramResult result = BuildLimited(run, run.Root / "pictures");
        EXPECT_EQ(result.ExitCode, 1) << result.Err;
        EXPECT_NE(result.Err.find(c.Message), std::string::npos) << result.Err;
    }
}

}  // namespace
}  // namespace fsc::test
