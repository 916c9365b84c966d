// Speed and memory of whole gallery builds: a gallery of generated 12-megapixel JPEGs (copies
// limited to 800 x 800, 150 x 150 thumbnails, table layout) built once, then built again with
// nothing changed, beside libjpeg-turbo's djpeg + cjpeg on the same files in the same run.
//
//   build_benchmark [images]      (default 100)
//
// Peak memory is the resident high-water mark of each build alone (reset through
// /proc/self/clear_refs before it), so it shows whether memory grows with the image count.
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "base/Files.h"
#include "base/HTMLFileTest.h"
#include "base/Paths.h"
#include "bench/ExternalPrograms.h"
#include "engine/BuildGallery.h"
#include "imaging/JpegWriter.h"

extern char** environ;

using fsc::bench::FindProgram;
using fsc::bench::Run;

namespace {

using Clock = std::chrono::steady_clock;
constexpr int SourceWidth = 4000, SourceHeight = 3000;

// Gradients with grain that moves with the seed, so every file is a different photograph.
fsc::TBitmap PhotoLikePicture(std::uint32_t seed) {
    fsc::TBitmap picture(SourceWidth, SourceHeight);
    std::uint32_t noise = 12345 + seed * 7919;
    for (int y = 0; y < picture.Height; ++y) {
        std::uint8_t* row = picture.Row(y);
        for (int x = 0; x < picture.Width; ++x) {
            noise = noise * 1664525u + 1013904223u;
            const int grain = int(noise >> 28) - 8;
            const int wave = ((x / 37 + y / 23 + int(seed)) % 7) * 6;
            row[x * 3] = std::uint8_t(std::clamp(x * 200 / SourceWidth + wave + grain, 0, 255));
            row[x * 3 + 1] = std::uint8_t(std::clamp(y * 220 / SourceHeight + grain, 0, 255));
            row[x * 3 + 2] = std::uint8_t(std::clamp(120 + wave - grain, 0, 255));
        }
    }
    return picture;
}

class TNoAsk final : public fsc::IAsk {
public:
    bool Ask(const std::string&, const std::string&) override { return false; }
};

// The benchmark has no watermark; drawing text is never asked for.
class TNoText final : public fsc::ITextRasteriser {
public:
    int TextWidth(const fsc::TFontSpec&, const std::string&) override { return 0; }
    int TextHeight(const fsc::TFontSpec&, const std::string&) override { return 0; }
    void DrawText(const fsc::TFontSpec&, const std::string&, int, int, fsc::TRgbCanvas&) override {}
};

class TNoDialog final : public fsc::IJpegCompressionDialog {
public:
    fsc::TCompressionChoice Execute(const fsc::TBitmap&) override { return {}; }
};

void ResetPeakMemory() { std::ofstream("/proc/self/clear_refs") << "5"; }

// VmHWM of /proc/self/status in megabytes.
double PeakMegabytes() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0) return std::atof(line.c_str() + 6) / 1024;
    }
    return 0;
}

struct TGallery {
    fsc::TThumbnailArray Thumbs;
    fsc::TFSC_Images Images;
    fsc::TFSC_HTML HTML;
    fsc::TTemplate Template = fsc::TTemplate::Create();
    fsc::TBuildJournal Journal;
    TNoAsk Ask;
    fsc::TSilentProgress Progress;
    fsc::TSystemClock SystemClock;
    fsc::TSystemRandom Random;
    TNoText Rasteriser;
    TNoDialog Dialog;
    std::string State;

    // The settings the create-gallery command would make afresh for every build.
    void Settings(const std::string& site) {
        Images = fsc::TFSC_Images();
        HTML = fsc::TFSC_HTML();
        fsc::LinkSettings(Images, HTML);
        Images.ResizeImages = true;
        Images.ResizeWidth = Images.ResizeHeight = 800;
        Images.ThumbWidth = Images.ThumbHeight = 150;
        HTML.HTMLDir = site;
        Template.GalleryFileName = "index.html";
    }

    // Seconds for one build, and what it wrote besides pages.
    double Build(std::size_t& imageFilesWritten) {
        const std::size_t before = Journal.CreatedFiles.size();
        fsc::TBuildContext context{
            Thumbs,
            Images,
            HTML,
            Template,
            Journal,
            {Ask, Progress, SystemClock, Random, Rasteriser, Dialog, nullptr},
            50,
            fsc::JoinPath(State, "temp"),
            // No image cache, so that every build makes its pictures; one picture at a time.
            State,
            "",
            1};
        const auto start = Clock::now();
        fsc::BuildGallery(context);
        const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        imageFilesWritten = 0;
        for (std::size_t i = before; i < Journal.CreatedFiles.size(); ++i) {
            if (!fsc::IsHTMLExtension({}, fsc::ExtractFileExt(Journal.CreatedFiles[i]))) {
                ++imageFilesWritten;
            }
        }
        return seconds;
    }
};

void PrintBuild(const char* what, double seconds, int images, std::size_t written, double peak) {
    std::printf("  %-34s %8.2f s %8.2f images/s %8.1f ms/image  %4zu image files  peak %6.1f MB\n",
                what, seconds, images / seconds, seconds * 1000 / images, written, peak);
}

}  // namespace

int main(int argc, char** argv) {
    const int count = argc > 1 ? std::max(1, std::atoi(argv[1])) : 100;
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("fsc-build-bench-" + std::to_string(::getpid()));
    const std::string pictures = (folder / "pictures").string();
    fsc::ForceDirectories(pictures);

    TGallery gallery;
    gallery.State = (folder / "state").string();
    std::printf("Generating %d JPEGs of %d x %d (quality 90)...\n", count, SourceWidth,
                SourceHeight);
    std::uintmax_t bytes = 0;
    for (int i = 0; i < count; ++i) {
        fsc::TThumbnail thumb;
        thumb.Name = "photo" + std::to_string(i) + ".jpg";
        thumb.FileName = fsc::JoinPath(pictures, thumb.Name);
        fsc::WriteFileBytes(thumb.FileName,
                            fsc::EncodeJpeg(PhotoLikePicture(std::uint32_t(i)), 90, false));
        bytes += fsc::FileSize(thumb.FileName);
        gallery.Thumbs.push_back(thumb);
    }
    std::printf("  %.1f MB of JPEG in all\n\n", double(bytes) / 1e6);

    std::printf("Folioscope builds (copies within 800 x 800, thumbnails 150 x 150, table):\n");
    const std::string site = (folder / "site").string();
    std::size_t written = 0;
    gallery.Settings(site);
    ResetPeakMemory();
    const double first = gallery.Build(written);
    PrintBuild("first build", first, count, written, PeakMegabytes());
    int status = written == std::size_t(2 * count) ? 0 : 1;
    gallery.Settings(site);
    ResetPeakMemory();
    const double second = gallery.Build(written);
    PrintBuild("second build, nothing changed", second, count, written, PeakMegabytes());
    if (written != 0) {
        std::printf("  ERROR: the second build rewrote %zu copies or thumbnails\n", written);
        status = 1;
    }

    std::printf("\nlibjpeg-turbo on the same files (djpeg to PPM, then cjpeg -quality 75):\n");
    const std::string djpeg = FindProgram("djpeg"), cjpeg = FindProgram("cjpeg");
    if (djpeg.empty() || cjpeg.empty()) {
        std::printf("  djpeg/cjpeg not found: install the Debian package libjpeg-turbo-progs\n");
        return 1;
    }
    const std::string ppm = (folder / "image.ppm").string();
    const std::string out = (folder / "out.jpg").string();
    bool ok = true;
    const auto start = Clock::now();
    for (const fsc::TThumbnail& thumb : gallery.Thumbs) {
        ok = Run(djpeg, {thumb.FileName}, ppm) && Run(cjpeg, {"-quality", "75", ppm}, out) && ok;
    }
    const double tools = std::chrono::duration<double>(Clock::now() - start).count();
    std::printf("  %-34s %8.2f s %8.2f images/s %8.1f ms/image\n", "djpeg + cjpeg per image", tools,
                count / tools, tools * 1000 / count);
    if (!ok) {
        std::printf("  djpeg or cjpeg failed\n");
        status = 1;
    }
    std::printf("\nFirst build per image: %.2f x the time of djpeg + cjpeg\n", first / tools);
    std::filesystem::remove_all(folder);
    return status;
}
