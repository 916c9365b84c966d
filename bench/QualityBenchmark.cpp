// Picture quality of the two resize paths on real photographs: for each photo, the copy
// within a box (default 800 x 800) made the smooth way (scaled JPEG decode + area averaging)
// and the classic way (whole decode + 3 x 3 mean and nearest sampling), each compared with a
// reference made by exact area averaging, in double precision, of the whole decode.
//
//   quality_benchmark BOX photo.jpg...
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "imaging/AreaResize.h"
#include "imaging/ImageFitting.h"
#include "imaging/JpegReader.h"
#include "imaging/PictureFile.h"
#include "imaging/Resize.h"

namespace {

// Every target pixel the exact mean of the source area it covers.
std::vector<double> ExactAreaMean(const fsc::TBitmap& source, int width, int height) {
    const double sx = double(source.Width) / width, sy = double(source.Height) / height;
    std::vector<double> out(std::size_t(width) * height * 3, 0.0);
    for (int y = 0; y < height; ++y) {
        const double y0 = y * sy, y1 = (y + 1) * sy;
        for (int x = 0; x < width; ++x) {
            const double x0 = x * sx, x1 = (x + 1) * sx;
            double sum[3] = {0, 0, 0};
            for (int j = int(y0); j < int(std::ceil(y1)) && j < source.Height; ++j) {
                const double wy = std::min(y1, j + 1.0) - std::max(y0, double(j));
                const std::uint8_t* row = source.Row(j);
                for (int i = int(x0); i < int(std::ceil(x1)) && i < source.Width; ++i) {
                    const double w = wy * (std::min(x1, i + 1.0) - std::max(x0, double(i)));
                    for (int c = 0; c < 3; ++c) sum[c] += w * row[i * 3 + c];
                }
            }
            for (int c = 0; c < 3; ++c)
                out[(std::size_t(y) * width + x) * 3 + c] = sum[c] / (sx * sy);
        }
    }
    return out;
}

double Psnr(const fsc::TBitmap& picture, const std::vector<double>& reference) {
    double squares = 0;
    for (std::size_t i = 0; i < reference.size(); ++i) {
        const double d = picture.Pixels[i] - reference[i];
        squares += d * d;
    }
    const double mse = squares / double(reference.size());
    return mse <= 0 ? 99.0 : 10.0 * std::log10(255.0 * 255.0 / mse);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: quality_benchmark BOX photo.jpg...\n");
        return 2;
    }
    const int box = std::atoi(argv[1]);
    double smoothSum = 0, classicSum = 0;
    int count = 0;
    for (int a = 2; a < argc; ++a) {
        const std::string bytes = fsc::ReadPictureFile(argv[a]);
        const fsc::TBitmap whole = fsc::DecodeJpeg(bytes);
        const fsc::TSize size = fsc::LimitSize(whole.Width, whole.Height, box, box);
        if (size.Width == whole.Width) continue;  // not shrunk: both paths copy it unchanged
        const std::vector<double> reference = ExactAreaMean(whole, size.Width, size.Height);
        const fsc::TBitmap smooth = fsc::AreaResize(
            fsc::DecodeJpegAtLeast(bytes, size.Width, size.Height), size.Width, size.Height);
        const fsc::TBitmap classic = fsc::Resize(whole, size.Width, size.Height);
        smoothSum += Psnr(smooth, reference);
        classicSum += Psnr(classic, reference);
        ++count;
    }
    if (count == 0) {
        std::printf("no photo is larger than %d x %d\n", box, box);
        return 0;
    }
    std::printf(
        "mean PSNR against exact area averaging of the whole decode, %d photos in %d x %d:\n"
        "  smooth (scaled decode + area averaging): %.2f dB\n"
        "  classic (3 x 3 mean + nearest sampling): %.2f dB\n",
        count, box, box, smoothSum / count, classicSum / count);
    return 0;
}
