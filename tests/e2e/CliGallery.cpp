// Pictures and program runs for the end-to-end tests.
#include "e2e/CliGallery.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "base/Files.h"
#include "imaging/GraphicsIO.h"
#include "imaging/PictureSamples.h"

namespace fsc::test {

namespace {

TBitmap Gradient(int width, int height, int seed) {
    TBitmap picture(width, height);
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = picture.Row(y);
        for (int x = 0; x < width; ++x) {
            row[x * 3] = std::uint8_t(x * 255 / width);
            row[x * 3 + 1] = std::uint8_t(y * 255 / height);
            row[x * 3 + 2] = std::uint8_t(seed * 60);
        }
    }
    return picture;
}

std::string PngOf(const TBitmap& picture) {
    PngLayout layout;
    layout.Width = picture.Width;
    layout.Height = picture.Height;
    for (int y = 0; y < picture.Height; ++y) {
        layout.Rows.emplace_back(picture.Row(y), picture.Row(y) + picture.Stride());
    }
    return Png(layout);
}

std::string BmpOf(const TBitmap& picture) {
    BmpLayout layout;
    layout.Width = picture.Width;
    layout.Height = picture.Height;
    const std::size_t stride = (picture.Stride() + 3) / 4 * 4;
    // Bottom row first, blue before red, rows padded to four bytes.
    for (int y = picture.Height - 1; y >= 0; --y) {
        const std::uint8_t* row = picture.Row(y);
        for (int x = 0; x < picture.Width; ++x) {
            layout.Data.insert(layout.Data.end(), {row[x * 3 + 2], row[x * 3 + 1], row[x * 3]});
        }
        layout.Data.resize(layout.Data.size() + stride - picture.Stride(), 0);
    }
    return Bmp(layout);
}

}  // namespace

ProgramResult TCliRun::Build(std::vector<std::string> args,
                             const std::vector<std::string>& extraEnvironment) const {
    args.insert(args.begin(), "build");
    return Run(args, extraEnvironment);
}

std::vector<std::string> TCliRun::Environment() const {
    return {"XDG_STATE_HOME=" + Root / "state", "XDG_CONFIG_HOME=" + Root / "config",
            "FOLIOSCOPE_DATA_DIR=" FSC_DATA_DIR};
}

ProgramResult TCliRun::Run(const std::vector<std::string>& args,
                           const std::vector<std::string>& extraEnvironment) const {
    std::vector<std::string> environment = Environment();
    environment.insert(environment.end(), extraEnvironment.begin(), extraEnvironment.end());
    return RunProgram(FSC_CLI_PATH, args, environment);
}

std::vector<TTestPicture> WriteTestPictures(const std::string& folder) {
    ForceDirectories(folder);
    const std::vector<TTestPicture> pictures{{"a.jpg", "a.jpg", 400, 300},
                                             {"b.png", "b.jpg", 120, 200},
                                             {"c.bmp", "c.jpg", 64, 48},
                                             {"d.jpg", "d.jpg", 300, 300}};
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        const TTestPicture& picture = pictures[i];
        const TBitmap bitmap = Gradient(picture.Width, picture.Height, int(i));
        const std::string ext = picture.File.substr(picture.File.size() - 3);
        const std::string bytes = ext == "png"   ? PngOf(bitmap)
                                  : ext == "bmp" ? BmpOf(bitmap)
                                                 : JpegRgb(bitmap, 90);
        WriteFileBytes(folder + "/" + picture.File, bytes);
    }
    return pictures;
}

std::vector<std::string> FilesBelow(const std::string& folder) {
    std::vector<std::string> files;
    if (!std::filesystem::is_directory(folder)) return files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
        if (entry.is_regular_file()) {
            files.push_back(std::filesystem::relative(entry.path(), folder).generic_string());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

TFileBytes Snapshot(const std::string& folder) {
    TFileBytes files;
    for (const std::string& name : FilesBelow(folder)) {
        files[name] = ReadFileBytes(folder + "/" + name);
    }
    return files;
}

TSize PictureSize(const std::string& path) {
    const TBitmap picture = LoadPicture(path);
    return {picture.Width, picture.Height};
}

std::string PngFileBytes(const TBitmap& picture) {
    PngLayout layout;
    layout.Width = picture.Width;
    layout.Height = picture.Height;
    for (int y = 0; y < picture.Height; ++y)
        layout.Rows.emplace_back(picture.Row(y), picture.Row(y) + picture.Stride());
    return Png(layout);
}

std::string PpmFileBytes(const TBitmap& picture) {
    return "P6\n" + std::to_string(picture.Width) + " " + std::to_string(picture.Height) +
           "\n255\n" + std::string(picture.Pixels.begin(), picture.Pixels.end());
}

void RunTool(const std::vector<std::string>& args) {
    const ProgramResult result = RunProgram("/usr/bin/env", args);
    ASSERT_EQ(result.ExitCode, 0) << args[0] << ": " << result.Err << result.Out;
}

}  // namespace fsc::test
