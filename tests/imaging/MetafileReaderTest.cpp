// Metafiles: drawn at their own size, and refused cleanly when damaged.
#include <gtest/gtest.h>

#include "PictureSamples.h"
#include "base/Errors.h"
#include "base/Files.h"
#include "imaging/GraphicsIO.h"
#include "imaging/MetafileReader.h"
#include "support/TempDir.h"

namespace fsc {
namespace {

using namespace fsc::test;

TEST(MetafileReader, WmfIsDrawnAtItsOwnSize) {
    const TBitmap p = DrawWmf(WmfFilled(40, 30, 0x3366CC));
    ASSERT_EQ(p.Width, 40);
    ASSERT_EQ(p.Height, 30);
    EXPECT_TRUE(Near(p, 20, 15, 0x3366CC, 2)) << PixelText(p, 20, 15);
}

TEST(MetafileReader, EmfIsDrawnAtItsOwnSize) {
    const TBitmap p = DrawEmf(EmfFilled(40, 30, 0x3366CC));
    EXPECT_NEAR(p.Width, 40, 1);
    EXPECT_NEAR(p.Height, 30, 1);
    EXPECT_TRUE(Near(p, 20, 15, 0x3366CC, 2)) << PixelText(p, 20, 15);
}

TEST(MetafileReader, LoadPictureChoosesTheKindByTheEnding) {
    TempDir dir;
    WriteFileBytes(dir / "drawing.EMF", EmfFilled(20, 10, 0xFF0000));
    WriteFileBytes(dir / "clip.Wmf", WmfFilled(20, 10, 0x00FF00));
    EXPECT_TRUE(Near(LoadPicture(dir / "drawing.EMF"), 10, 5, 0xFF0000, 2));
    EXPECT_TRUE(Near(LoadPicture(dir / "clip.Wmf"), 10, 5, 0x00FF00, 2));
    // A WMF named .emf is read as an enhanced metafile, which it is not.
    WriteFileBytes(dir / "wrong.emf", WmfFilled(20, 10, 0x00FF00));
    EXPECT_THROW(LoadPicture(dir / "wrong.emf"), EFSC_Exception);
}

TEST(MetafileReader, DamagedMetafilesAreRefused) {
    Bytes longRecord = EmfFilled(40, 30, 0);
    longRecord[92 + 2] = 0x10;  // the brush record claims a megabyte
    struct Case {
        const char* Fault;
        Bytes File;
        bool Enhanced;
    } cases[] = {
        {"WMF of text", "hello, this is not a metafile at all", false},
        {"WMF cut in the header", WmfFilled(40, 30, 0).substr(0, 30), false},
        {"empty WMF", "", false},
        {"EMF of text", "hello, this is not a metafile at all", true},
        {"EMF cut in the header", EmfFilled(40, 30, 0).substr(0, 50), true},
        {"empty EMF", "", true},
        {"EMF record running past the end", longRecord, true},
        {"EMF without its end record", EmfFilled(40, 30, 0).substr(0, 88 + 24 + 12 + 24), true},
    };
    for (const Case& c : cases)
        EXPECT_THROW(c.Enhanced ? DrawEmf(c.File) : DrawWmf(c.File), EFSC_Exception) << c.Fault;
}

}  // namespace
}  // namespace fsc
