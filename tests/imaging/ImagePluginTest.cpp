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
    // Modules join in the byte order of their file names.
    EXPECT_EQ(formats.RegisterPlugins(PluginFolder()), 2);
    EXPECT_EQ(formats.RegisterPlugins(PluginFolder()), 0) << "registered twice";
    ASSERT_EQ(formats.Formats().size(), 12u);
    EXPECT_EQ(formats.Formats()[10].FilterEntry(), "Graphics Interchange Format (*.gif)|*.gif");
    EXPECT_EQ(formats.Formats()[11].FilterEntry(), "Windows icon (*.ico)|*.ico");
    EXPECT_NE(OpenPictureFilter(formats).find(";*.dng;*.gif;*.ico)|"), std::string::npos)
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
        BmpLayout s;
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

TEST(ImagePlugins, TheGifModuleReadsTheFirstFrameWithTransparencyAndInterlace) {
    TPictureFormats formats;
    formats.RegisterPlugins(PluginFolder());
    GifLayout offset;
    offset.ScreenWidth = 4, offset.ScreenHeight = 2, offset.Left = 1, offset.Top = 1;
    offset.Width = 2, offset.Height = 1, offset.Palette = {0xFF0000, 0x00FF00};
    offset.Indices = {0, 1}, offset.Transparent = 1;
    GifLayout interlaced;
    interlaced.ScreenWidth = 1, interlaced.ScreenHeight = 10, interlaced.Width = 1;
    interlaced.Height = 10, interlaced.Interlaced = true;
    for (int i = 0; i < 16; i++)
        interlaced.Palette.push_back(std::uint32_t(i * 0x111111 & 0xFFFFFF));
    for (int y = 0; y < 10; y++) interlaced.Indices.push_back(std::uint8_t(y));
    TempDir dir;
    WriteFileBytes(dir / "offset.gif", Gif(offset));
    WriteFileBytes(dir / "interlaced.GIF", Gif(interlaced));

    const TBitmap a = LoadPicture(formats, dir / "offset.gif");
    ASSERT_EQ(a.Width, 4);
    ASSERT_EQ(a.Height, 2);
    EXPECT_EQ(PixelText(a, 1, 1), "255,0,0");
    EXPECT_EQ(PixelText(a, 2, 1), "255,255,255") << "transparent";
    EXPECT_EQ(PixelText(a, 0, 0), "255,255,255") << "outside the frame";

    const TBitmap b = LoadPicture(formats, dir / "interlaced.GIF");
    ASSERT_EQ(b.Height, 10);
    for (int y = 0; y < 10; y++) EXPECT_EQ(b.Pixels[std::size_t(y) * 3], y * 0x11) << "row " << y;
}

TEST(ImagePlugins, TheGifModuleWritesWhatItReads) {
    void* module = ::dlopen((PluginFolder() + "/gif.so").c_str(), RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(module, nullptr) << ::dlerror();
    auto save = reinterpret_cast<FscLibSaveImage>(::dlsym(module, "LibSaveImage"));
    ASSERT_NE(save, nullptr);
    TBitmap picture = Quadrants(7, 5);
    FscPluginImage image{};
    image.Version = FSC_IMAGE_PLUGIN_VERSION;
    image.Width = 7, image.Height = 5, image.Stride = 21, image.Pixels = picture.Pixels.data();
    TempDir dir;
    ASSERT_EQ(save((dir / "out.gif").c_str(), "", &image), 1) << image.ErrorMessage;
    ::dlclose(module);
    TPictureFormats formats;
    formats.RegisterPlugins(PluginFolder());
    // giflib's colour reduction keeps five bits of each channel.
    const TBitmap back = LoadPicture(formats, dir / "out.gif");
    ASSERT_EQ(back.Width, 7);
    ASSERT_EQ(back.Height, 5);
    for (int y = 0; y < 5; y++)
        for (int x = 0; x < 7; x++) {
            const std::uint8_t* p = picture.Row(y) + x * 3;
            const std::uint32_t rgb = std::uint32_t(p[0]) << 16 | std::uint32_t(p[1]) << 8 | p[2];
            EXPECT_TRUE(Near(back, x, y, rgb, 8)) << x << "," << y << ": " << PixelText(back, x, y);
        }
}

TEST(ImagePlugins, TheModulesMessageReachesTheUser) {
    TPictureFormats formats;
    formats.RegisterPlugins(PluginFolder());
    TempDir dir;
    WriteFileBytes(dir / "bad.ico", std::string("\0\0\1\0\1\0", 6) + std::string(16, '\0'));
    WriteFileBytes(dir / "cut.ico", IcoQuadrants(false).substr(0, 300));
    GifLayout gif;
    gif.Width = gif.Height = gif.ScreenWidth = gif.ScreenHeight = 40;
    gif.Palette.assign(256, 0);
    for (int i = 0; i < 1600; i++) gif.Indices.push_back(std::uint8_t(i * 7));
    const Bytes good = Gif(gif);
    WriteFileBytes(dir / "cut.gif", good.substr(0, good.size() / 2));
    WriteFileBytes(dir / "text.gif", "this is plain text");
    struct Case {
        std::string Name, Message;
    } cases[] = {
        {dir / "missing.ico", "Unable to open file"},
        {dir / "bad.ico", "Icon file is truncated"},
        {dir / "cut.ico", "Icon file is truncated"},
        {dir / "cut.gif", "GIF file is truncated"},
        {dir / "text.gif", "Invalid GIF file: Data is not in GIF format"},
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
    EXPECT_EQ(formats.Formats().size(), 10u);
    EXPECT_EQ(formats.RegisterPlugins(dir / "no-such-folder"), 0);
    EXPECT_EQ(TImagePlugin::Open(dir / "incomplete.so"), nullptr);
}

}  // namespace
}  // namespace fsc
