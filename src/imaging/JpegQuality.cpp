// JPEG quality rules; every division truncates.
#include "imaging/JpegQuality.h"

#include <algorithm>

namespace fsc {

int CopyQuality(int defaultCompression) {
    return std::max(30, std::min(100, defaultCompression * 3 / 2));
}

int ThumbnailQuality(TThumbQualityLevel level, int defaultCompression) {
    const int d = defaultCompression;
    switch (level) {
        case TThumbQualityLevel::High:
            return std::max(40, std::min(100, d * 5 / 3));
        case TThumbQualityLevel::Low:
            return std::max(16, std::min(100, d * 3 / 5));
        case TThumbQualityLevel::VeryLow:
            return std::max(8, std::min(100, d / 3));
        case TThumbQualityLevel::Middle:
            break;
    }
    return std::max(20, d);
}

int CollageQuality(TThumbQualityLevel level) {
    switch (level) {
        case TThumbQualityLevel::High:
            return 100;
        case TThumbQualityLevel::Low:
            return 60;
        case TThumbQualityLevel::VeryLow:
            return 40;
        case TThumbQualityLevel::Middle:
            break;
    }
    return 80;
}

const char* JpegPresetCaption(TJpegPreset preset) {
    switch (preset) {
        case TJpegPreset::WwwPhotoHigh:
            return "WWW Photo (high qu.)";
        case TJpegPreset::WwwPhotoNormal:
            return "WWW Photo (normal)";
        case TJpegPreset::WwwPhotoLow:
            return "WWW Photo (low qu.)";
        case TJpegPreset::WwwBackground:
            break;
    }
    return "WWW Background";
}

TJpegSettings JpegPresetSettings(TJpegPreset preset, int defaultCompression) {
    switch (preset) {
        case TJpegPreset::WwwPhotoHigh:
            return {std::min(100, defaultCompression * 3 / 2), false};
        case TJpegPreset::WwwPhotoNormal:
            return {defaultCompression, false};
        case TJpegPreset::WwwPhotoLow:
            return {defaultCompression / 2, false};
        case TJpegPreset::WwwBackground:
            break;
    }
    return {12, true};
}

}  // namespace fsc
