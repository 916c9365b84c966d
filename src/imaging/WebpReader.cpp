// Decodes WebP files with libwebp.
#include "imaging/WebpReader.h"

#include <webp/decode.h>
#include <webp/demux.h>

#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "base/Errors.h"
#include "base/ScopeExit.h"
#include "imaging/ColourProfile.h"
#include "imaging/ExifOrientation.h"
#include "imaging/PictureExif.h"

namespace fsc {

namespace {

struct DemuxDelete {
    void operator()(WebPDemuxer* demux) const { WebPDemuxDelete(demux); }
};

std::unique_ptr<WebPDemuxer, DemuxDelete> Demux(std::string_view bytes) {
    const WebPData data{reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()};
    return std::unique_ptr<WebPDemuxer, DemuxDelete>(WebPDemux(&data));
}

// White under every pixel that is not fully opaque, as the gallery's pages usually are.
void OverWhite(const std::vector<std::uint8_t>& rgba, TBitmap& picture) {
    std::uint8_t* out = picture.Pixels.data();
    for (std::size_t i = 0; i < rgba.size(); i += 4, out += 3) {
        const unsigned alpha = rgba[i + 3];
        for (int c = 0; c < 3; ++c)
            out[c] = std::uint8_t((rgba[i + c] * alpha + 255 * (255 - alpha) + 127) / 255);
    }
}

// Decodes and turns upright under one reservation, which counts the turned copy too.
TBitmap DecodeFrame(const std::uint8_t* data, std::size_t size, int orientation,
                    std::string_view iccProfile, std::uint64_t maxPixels) {
    WebPBitstreamFeatures features;
    if (WebPGetFeatures(data, size, &features) != VP8_STATUS_OK)
        throw EFSC_Exception("Invalid WebP file");
    CheckPictureSize("WebP", features.width, features.height, maxPixels);
    const std::uint64_t rgbaBytes =
        features.has_alpha ? std::uint64_t(features.width) * std::uint64_t(features.height) * 4 : 0;
    const std::uint64_t turnBytes =
        orientation == 1 ? 0 : std::uint64_t(features.width) * std::uint64_t(features.height) * 3;
    const TMemoryBudget::TShare memory =
        ReservePicture(features.width, features.height, rgbaBytes + turnBytes);
    TBitmap picture(features.width, features.height);
    if (!features.has_alpha) {
        if (WebPDecodeRGBInto(data, size, picture.Pixels.data(), picture.Pixels.size(),
                              int(picture.Stride())) == nullptr)
            throw EFSC_Exception("WebP file is truncated or damaged");
        ConvertToSrgb(picture, iccProfile);
        return orientation == 1 ? picture : OrientUpright(picture, orientation);
    }
    std::vector<std::uint8_t> rgba(rgbaBytes);
    if (WebPDecodeRGBAInto(data, size, rgba.data(), rgba.size(), features.width * 4) == nullptr)
        throw EFSC_Exception("WebP file is truncated or damaged");
    OverWhite(rgba, picture);
    ConvertToSrgb(picture, iccProfile);
    return orientation == 1 ? picture : OrientUpright(picture, orientation);
}

std::string ChunkOf(WebPDemuxer* demux, const char* fourCc) {
    WebPChunkIterator chunk;
    if (!WebPDemuxGetChunk(demux, fourCc, 1, &chunk)) return {};
    std::string bytes(reinterpret_cast<const char*>(chunk.chunk.bytes), chunk.chunk.size);
    WebPDemuxReleaseChunkIterator(&chunk);
    return bytes;
}

}  // namespace

std::uint64_t WebpFilePictureBytes(const std::string& fileName) {
    // The RIFF header and the first chunk's header with the picture's size.
    char head[64];
    std::ifstream file(fileName, std::ios::binary);
    file.read(head, sizeof head);
    int width = 0, height = 0;
    if (!WebPGetInfo(reinterpret_cast<const std::uint8_t*>(head), std::size_t(file.gcount()),
                     &width, &height))
        return 0;
    return std::uint64_t(width) * std::uint64_t(height) * 3;
}

std::string WebpExifPayload(std::string_view bytes) {
    const auto demux = Demux(bytes);
    return demux ? ExifPayloadFromBlock(ChunkOf(demux.get(), "EXIF")) : std::string();
}

TBitmap DecodeWebp(std::string_view bytes, std::uint64_t maxPixels) {
    const auto demux = Demux(bytes);
    if (!demux) throw EFSC_Exception("Not a WebP file, or one that is truncated");
    WebPIterator frame;
    if (!WebPDemuxGetFrame(demux.get(), 1, &frame))
        throw EFSC_Exception("WebP file holds no picture");
    const int orientation = PayloadOrientation(WebpExifPayload(bytes));
    const TScopeExit release([&] { WebPDemuxReleaseIterator(&frame); });
    return DecodeFrame(frame.fragment.bytes, frame.fragment.size, orientation,
                       ChunkOf(demux.get(), "ICCP"), maxPixels);
}

}  // namespace fsc
