// The JPEG quality of every picture the gallery writes, worked out from the program option
// "Default JPEG compression" (5..100, default 50) and the thumbnail quality level.
#pragma once

namespace fsc {

enum class TThumbQualityLevel { High, Middle, Low, VeryLow };

// Resized image copies: max(30, min(100, D * 3 div 2)); 75 for D = 50.
int CopyQuality(int defaultCompression);
// Thumbnails by level; 83, 50, 30 and 16 for D = 50.
int ThumbnailQuality(TThumbQualityLevel level, int defaultCompression);
// Collage pictures have fixed qualities of their own: 100, 80, 60, 40.
int CollageQuality(TThumbQualityLevel level);

// The presets of the per-image compression dialog ("Defaults for WWW,..."), in list order.
enum class TJpegPreset { WwwPhotoHigh, WwwPhotoNormal, WwwPhotoLow, WwwBackground };

struct TJpegSettings {
    int Quality = 50;
    bool Progressive = false;

    bool operator==(const TJpegSettings&) const = default;
};

// The caption the list shows for a preset.
const char* JpegPresetCaption(TJpegPreset preset);
// What a preset sets from the default compression D: D * 3 div 2 (at most 100, where the
// slider ends), D, D div 2, or 12 with progressive encoding for a background.
TJpegSettings JpegPresetSettings(TJpegPreset preset, int defaultCompression);

}  // namespace fsc
