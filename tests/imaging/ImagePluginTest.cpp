// Plug-in modules: the icon module built with the program, and modules that must be ignored.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "PictureSamples.h"
#include "base/AppFolders.h"
#include "base/Errors.h"
#include "base/Files.h"
#include "imaging/GraphicsIO.h"
#include "imaging/TImagePlugin.h"
#include "support/TempDir.h"

namespace fsc {
namespace {

using namespace fsc::test;

std::string IcoModule() { return PluginFolder() + "/ico.so"; }

TEST(ImagePlugins, TheIconModuleIsFoundInThePluginFolderAndReadsIcons) {
    ASSERT_TRUE(FileExists(IcoModule()))
        << "the icon plug-in was not built into " << PluginFolder();
    TPictureFormats formats;
    EXPECT_EQ(formats.RegisterPlugins(PluginFolder()), 1);
    EXPECT_EQ(formats.Formats().back().FilterEntry(), "Windows icon (*.ico)|*.ico");
    EXPECT_NE(OpenPictureFilter(formats).find(";*.pcx;*.ico)|"), std::string::npos)
        << OpenPictureFilter(formats);

    TempDir dir;
    for (bool pngInside : {false, true}) {
        const std::string name = dir / (pngInside ? "png.ICO" : "dib.ico");
        WriteFileBytes(name, IcoQuadrants(pngInside));
        const TBitmap p = LoadPicture(formats, name);
        SCOPED_TRACE(name);
        ASSERT_EQ(p.Width, 16);
        ASSERT_EQ(p.Height, 16);
        EXPECT_EQ(PixelText(p, 0, 0), "255,0,0");
        EXPECT_EQ(PixelText(p, 15, 0), "0,255,0");
        EXPECT_EQ(PixelText(p, 15, 15), "0,0,255");
        EXPECT_EQ(PixelText(p, 0, 15), "255,255,255");
    }
}

// 2 x 2 icons; rows are stored bottom-up, the mask marks transparent pixels,
// which come out white like any transparency.
TEST(ImagePlugins, TheIconModuleReadsEveryDepthWithItsTransparency) {
    TPictureFormats formats;
    formats.RegisterPlugins(PluginFolder());
    auto dib = [](int bits, std::vector<std::uint32_t> palette, std::vector<std::uint8_t> data) {
        BmpSpec s;
        s.Width = 2, s.Height = 2, s.BitCount = bits, s.Palette = palette, s.Data = data;
        return s;
    };
    const std::vector<std::uint32_t> four = {0xFF0000, 0x00FF00, 0x0000FF, 0x808080};
    const std::vector<std::uint8_t> opaque(8, 0), bottomLeftClear = {0x80, 0, 0, 0, 0, 0, 0, 0};
    struct Case {
        const char* Kind;
        Bytes File;
        std::string Top, Bottom;
    } cases[] = {
        {"1 bit", IcoDib(dib(1, {0x000000, 0xFFFFFF}, {0x40, 0, 0, 0, 0x80, 0, 0, 0}), opaque),
         "255,255,255 0,0,0", "0,0,0 255,255,255"},
        {"4 bits with mask", IcoDib(dib(4, four, {0x23, 0, 0, 0, 0x01, 0, 0, 0}), bottomLeftClear),
         "255,0,0 0,255,0", "255,255,255 128,128,128"},
        {"8 bits", IcoDib(dib(8, four, {2, 3, 0, 0, 0, 1, 0, 0}), opaque), "255,0,0 0,255,0",
         "0,0,255 128,128,128"},
        {"32 bits with alpha",
         IcoDib(dib(32, {}, {255, 0, 0, 255, 0, 0, 0, 0, 0, 0, 255, 255, 0, 255, 0, 102}), opaque),
         "255,0,0 153,255,153", "0,0,255 255,255,255"},
        {"32 bits, no alpha, mask",
         IcoDib(dib(32, {}, {255, 0, 0, 0, 9, 9, 9, 0, 0, 0, 255, 0, 0, 255, 0, 0}),
                bottomLeftClear),
         "255,0,0 0,255,0", "255,255,255 9,9,9"},
    };
    TempDir dir;
    for (const Case& c : cases) {
        WriteFileBytes(dir / "x.ico", c.File);
        const TBitmap p = LoadPicture(formats, dir / "x.ico");
        EXPECT_EQ(PixelText(p, 0, 0) + " " + PixelText(p, 1, 0), c.Top) << c.Kind;
        EXPECT_EQ(PixelText(p, 0, 1) + " " + PixelText(p, 1, 1), c.Bottom) << c.Kind;
    }
}

TEST(ImagePlugins, TheModulesMessageReachesTheUser) {
    TPictureFormats formats;
    formats.RegisterPlugins(PluginFolder());
    TempDir dir;
    WriteFileBytes(dir / "bad.ico", std::string("\0\0\1\0\1\0", 6) + std::string(16, '\0'));
    WriteFileBytes(dir / "cut.ico", IcoQuadrants(false).substr(0, 300));
    struct Case {
        std::string Name, Message;
    } cases[] = {
        {dir / "missing.ico", "Unable to open file"},
        {dir / "bad.ico", "Icon file is truncated"},
        {dir / "cut.ico", "Icon file is truncated"},
    };
    for (const Case& c : cases) {
        try {
            LoadPicture(formats, c.Name);
            ADD_FAILURE() << c.Name << " was accepted";
        } catch (const EFSC_Exception& error) {
            EXPECT_EQ(std::string(error.what()), c.Message) << c.Name;
        }
    }
}

TEST(ImagePlugins, TheIconModuleWritesWhatItReads) {
    void* module = ::dlopen(IcoModule().c_str(), RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(module, nullptr) << ::dlerror();
    auto save = reinterpret_cast<FscLibSaveImage>(::dlsym(module, "LibSaveImage"));
    ASSERT_NE(save, nullptr);
    TBitmap picture = Quadrants(5, 3);  // odd width: rows need padding
    FscPluginImage image{};
    image.Version = FSC_IMAGE_PLUGIN_VERSION;
    image.Width = 5, image.Height = 3, image.Stride = 15, image.Pixels = picture.Pixels.data();
    TempDir dir;
    ASSERT_EQ(save((dir / "out.ico").c_str(), "", &image), 1) << image.ErrorMessage;
    ::dlclose(module);

    const std::unique_ptr<TImagePlugin> plugin = TImagePlugin::Open(IcoModule());
    ASSERT_TRUE(plugin);
    EXPECT_EQ(plugin->Load(dir / "out.ico"), picture);
}

TEST(ImagePlugins, ModulesThatCannotTakePartAreIgnored) {
    TempDir dir;
    std::filesystem::copy_file(INCOMPLETE_PLUGIN_PATH, dir / "incomplete.so");
    WriteFileBytes(dir / "notelf.so", "this is no shared object");
    std::filesystem::create_directory(dir / "folder.so");
    std::filesystem::copy_file(IcoModule(), dir / "ico.so.disabled");  // not a "*.so" name
    TPictureFormats formats;
    EXPECT_EQ(formats.RegisterPlugins(dir.Path()), 0);
    EXPECT_EQ(formats.Formats().size(), 5u);
    EXPECT_EQ(formats.RegisterPlugins(dir / "no-such-folder"), 0);
    EXPECT_EQ(TImagePlugin::Open(dir / "incomplete.so"), nullptr);
}

}  // namespace
}  // namespace fsc
