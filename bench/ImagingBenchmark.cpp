// Speed of the gallery's hot path on a 12-megapixel photograph-like JPEG that the benchmark
// makes itself: decode, thumbnail and image copy, in megapixels of source per second, beside
// libjpeg-turbo's own djpeg and cjpeg on the same file in the same run.
//
//   imaging_benchmark [rounds]      (default 5; the best round of each step is shown)
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
#include <functional>
#include <string>
#include <vector>

#include "base/Files.h"
#include "bench/ExternalPrograms.h"
#include "imaging/ImageFitting.h"
#include "imaging/JpegReader.h"
#include "imaging/JpegWriter.h"
#include "imaging/Resize.h"

extern char** environ;

using fsc::bench::FindProgram;
using fsc::bench::Run;

namespace {

using fsc::TBitmap;
using Clock = std::chrono::steady_clock;

constexpr int SourceWidth = 4000, SourceHeight = 3000;

// Smooth gradients with fine texture, so that the file compresses like a photograph rather
// than like a flat test card.
TBitmap MakePhotoLikePicture() {
    TBitmap picture(SourceWidth, SourceHeight);
    std::uint32_t noise = 12345;
    for (int y = 0; y < picture.Height; ++y) {
        std::uint8_t* row = picture.Row(y);
        for (int x = 0; x < picture.Width; ++x) {
            noise = noise * 1664525u + 1013904223u;
            const int grain = int(noise >> 28) - 8;
            const int wave = ((x / 37 + y / 23) % 7) * 6;
            row[x * 3] = std::uint8_t(std::clamp(x * 200 / SourceWidth + wave + grain, 0, 255));
            row[x * 3 + 1] = std::uint8_t(std::clamp(y * 220 / SourceHeight + grain, 0, 255));
            row[x * 3 + 2] = std::uint8_t(std::clamp(120 + wave - grain, 0, 255));
        }
    }
    return picture;
}

// The program's own reader, as every build uses it.
TBitmap Decode(const std::string& bytes) { return fsc::DecodeJpeg(bytes); }

std::string Thumbnail(const std::string& jpeg) {
    const TBitmap source = Decode(jpeg);
    const fsc::TSize size = fsc::FitSize(source.Width, source.Height, 150, 150);
    return fsc::EncodeJpeg(fsc::Resize(source, size.Width, size.Height), 50, false);
}

std::string Copy(const std::string& jpeg) {
    const TBitmap source = Decode(jpeg);
    const fsc::TSize size = fsc::LimitSize(source.Width, source.Height, 800, 800);
    return fsc::EncodeJpeg(fsc::Resize(source, size.Width, size.Height), 75, false);
}

double BestSeconds(int rounds, const std::function<void()>& step) {
    double best = 1e30;
    for (int i = 0; i < rounds; ++i) {
        const auto start = Clock::now();
        step();
        best = std::min(best, std::chrono::duration<double>(Clock::now() - start).count());
    }
    return best;
}

void PrintRow(const char* what, double seconds, double megapixels) {
    std::printf("  %-52s %8.1f ms %10.1f MP/s\n", what, seconds * 1000, megapixels / seconds);
}

std::string PortablePixmap(const TBitmap& picture) {
    std::string ppm =
        "P6\n" + std::to_string(picture.Width) + " " + std::to_string(picture.Height) + "\n255\n";
    ppm.append(reinterpret_cast<const char*>(picture.Pixels.data()), picture.Pixels.size());
    return ppm;
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    const double megapixels = double(SourceWidth) * SourceHeight / 1e6;

    const TBitmap original = MakePhotoLikePicture();
    const std::string jpeg = fsc::EncodeJpeg(original, 90, false);
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("fsc-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    const std::string jpegPath = (folder / "source.jpg").string();
    const std::string ppmPath = (folder / "source.ppm").string();
    fsc::WriteFileBytes(jpegPath, jpeg);
    fsc::WriteFileBytes(ppmPath, PortablePixmap(original));

    std::printf("Source: %d x %d (%.1f MP), JPEG quality 90, %zu bytes; best of %d rounds\n",
                SourceWidth, SourceHeight, megapixels, jpeg.size(), rounds);
    const TBitmap decoded = Decode(jpeg);
    const fsc::TSize thumbSize = fsc::FitSize(decoded.Width, decoded.Height, 150, 150);
    const fsc::TSize copySize = fsc::LimitSize(decoded.Width, decoded.Height, 800, 800);

    std::printf("\nFolioscope (per 12 MP source picture):\n");
    PrintRow("decode", BestSeconds(rounds, [&] { Decode(jpeg); }), megapixels);
    PrintRow("thumbnail: decode + fit 150x150 + resize + encode",
             BestSeconds(rounds, [&] { Thumbnail(jpeg); }), megapixels);
    PrintRow("copy: decode + limit 800x800 + resize + encode",
             BestSeconds(rounds, [&] { Copy(jpeg); }), megapixels);
    PrintRow("  resize alone, to the thumbnail size",
             BestSeconds(rounds, [&] { fsc::Resize(decoded, thumbSize.Width, thumbSize.Height); }),
             megapixels);
    PrintRow("  resize alone, to the copy size",
             BestSeconds(rounds, [&] { fsc::Resize(decoded, copySize.Width, copySize.Height); }),
             megapixels);
    PrintRow("  resize alone, same size (whole rows copied)",
             BestSeconds(rounds, [&] { fsc::Resize(decoded, decoded.Width, decoded.Height); }),
             megapixels);
    PrintRow("encode the whole 12 MP picture, quality 75",
             BestSeconds(rounds, [&] { fsc::EncodeJpeg(decoded, 75, false); }), megapixels);

    int status = 0;
    std::printf("\nlibjpeg-turbo programs on the same files (including process start):\n");
    const std::string djpeg = FindProgram("djpeg"), cjpeg = FindProgram("cjpeg");
    if (djpeg.empty() || cjpeg.empty()) {
        std::printf("  djpeg/cjpeg not found: install the Debian package libjpeg-turbo-progs\n");
        status = 1;
    } else {
        bool ok = true;
        PrintRow("djpeg source.jpg > /dev/null",
                 BestSeconds(rounds, [&] { ok = Run(djpeg, {jpegPath}) && ok; }), megapixels);
        PrintRow("cjpeg -quality 75 source.ppm > /dev/null",
                 BestSeconds(rounds,
                             [&] {
                                 ok = Run(cjpeg, {"-quality", "75", ppmPath}) && ok;
                             }),
                 megapixels);
        if (!ok) {
            std::printf("  djpeg or cjpeg failed\n");
            status = 1;
        }
    }
    std::filesystem::remove_all(folder);
    return status;
}
