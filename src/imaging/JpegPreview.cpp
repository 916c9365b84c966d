// The compression preview's round trip through a file.
#include "imaging/JpegPreview.h"

#include "base/Files.h"
#include "base/Paths.h"
#include "imaging/JpegReader.h"
#include "imaging/JpegWriter.h"

namespace fsc {

TJpegPreview CompressPreview(const TBitmap& picture, const TJpegSettings& settings,
                             const std::string& path) {
    const std::string encoded = EncodeJpeg(picture, settings.Quality, settings.Progressive);
    const std::string folder = ExtractFileDir(path);
    if (!folder.empty()) ForceDirectories(folder);
    WriteFileBytes(path, encoded);
    // Read back rather than decoding the bytes in memory: what is shown is what the file holds.
    const std::string stored = ReadFileBytes(path);
    TJpegPreview preview;
    preview.Picture = DecodeJpeg(stored);
    preview.FileSize = stored.size();
    return preview;
}

}  // namespace fsc
