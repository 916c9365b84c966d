// Decodes HEIF and AVIF files with libheif.
#include "imaging/HeifReader.h"

#include <libheif/heif.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "base/Errors.h"
#include "base/LazyLibrary.h"
#include "imaging/ColourProfile.h"
#include "imaging/PictureExif.h"

namespace fsc {

namespace {

// libheif and the codecs it brings load with the first HEIF or AVIF picture.
#define FSC_HEIF_FUNCTIONS(F)                           \
    F(heif_context_alloc)                               \
    F(heif_context_free)                                \
    F(heif_context_get_primary_image_handle)            \
    F(heif_context_read_from_file)                      \
    F(heif_context_read_from_memory_without_copy)       \
    F(heif_context_set_maximum_image_size_limit)        \
    F(heif_decode_image)                                \
    F(heif_decoding_options_free)                       \
    F(heif_image_get_height)                            \
    F(heif_image_get_plane_readonly)                    \
    F(heif_image_get_width)                             \
    F(heif_image_handle_get_color_profile_type)         \
    F(heif_image_handle_get_height)                     \
    F(heif_image_handle_get_list_of_metadata_block_IDs) \
    F(heif_image_handle_get_metadata)                   \
    F(heif_image_handle_get_metadata_size)              \
    F(heif_image_handle_get_nclx_color_profile)         \
    F(heif_image_handle_get_raw_color_profile)          \
    F(heif_image_handle_get_raw_color_profile_size)     \
    F(heif_image_handle_get_width)                      \
    F(heif_image_handle_has_alpha_channel)              \
    F(heif_image_handle_release)                        \
    F(heif_image_release)                               \
    F(heif_nclx_color_profile_free)

FSC_LAZY_FUNCTIONS(HeifFunctions, Heif, FSC_HEIF_FUNCTIONS, FSC_SONAME_HEIF)

struct HeifDelete {
    void operator()(heif_context* context) const { Heif().heif_context_free(context); }
    void operator()(heif_image_handle* handle) const { Heif().heif_image_handle_release(handle); }
    void operator()(heif_image* image) const { Heif().heif_image_release(image); }
    void operator()(heif_decoding_options* options) const {
        Heif().heif_decoding_options_free(options);
    }
    void operator()(heif_color_profile_nclx* nclx) const {
        Heif().heif_nclx_color_profile_free(nclx);
    }
};
template <typename T>
using HeifPtr = std::unique_ptr<T, HeifDelete>;

void Check(const heif_error& error, const char* what) {
    if (error.code == heif_error_Ok) return;
    throw EFSC_Exception(std::string(what) + ": " + error.message);
}

struct TPrimary {
    HeifPtr<heif_context> Context;
    HeifPtr<heif_image_handle> Handle;
};

// libheif reads the boxes straight from `bytes`, which must outlive the result.
TPrimary OpenPrimary(std::string_view bytes, std::uint64_t maxPixels) {
    TPrimary primary;
    primary.Context.reset(Heif().heif_context_alloc());
    // A forged size is refused by libheif before it allocates; our own limit follows.
    Heif().heif_context_set_maximum_image_size_limit(
        primary.Context.get(), int(std::min<std::uint64_t>(maxPixels, 1 << 30)));
    Check(Heif().heif_context_read_from_memory_without_copy(primary.Context.get(), bytes.data(),
                                                            bytes.size(), nullptr),
          "Invalid HEIF file");
    heif_image_handle* handle = nullptr;
    Check(Heif().heif_context_get_primary_image_handle(primary.Context.get(), &handle),
          "HEIF file holds no picture");
    primary.Handle.reset(handle);
    return primary;
}

void CopyOverWhite(const std::uint8_t* from, int fromStride, bool alpha, TBitmap& picture) {
    const int channels = alpha ? 4 : 3;
    for (int y = 0; y < picture.Height; ++y) {
        const std::uint8_t* in = from + std::size_t(y) * std::size_t(fromStride);
        std::uint8_t* out = picture.Row(y);
        for (int x = 0; x < picture.Width; ++x, in += channels, out += 3) {
            const unsigned a = alpha ? in[3] : 255;
            for (int c = 0; c < 3; ++c)
                out[c] = std::uint8_t((in[c] * a + 255 * (255 - a) + 127) / 255);
        }
    }
}

// An ICC profile as the file holds it; for colours given as code points (as AVIF writers
// usually give them), a profile made of those primaries with sRGB's tone curve, when the
// transfer is sRGB's or left unsaid.
std::string IccProfile(heif_image_handle* handle) {
    const heif_color_profile_type type = Heif().heif_image_handle_get_color_profile_type(handle);
    if (type == heif_color_profile_type_prof || type == heif_color_profile_type_rICC) {
        std::string profile(Heif().heif_image_handle_get_raw_color_profile_size(handle), '\0');
        if (Heif().heif_image_handle_get_raw_color_profile(handle, profile.data()).code !=
            heif_error_Ok)
            return {};
        return profile;
    }
    if (type != heif_color_profile_type_nclx) return {};
    heif_color_profile_nclx* nclx = nullptr;
    const heif_error error = Heif().heif_image_handle_get_nclx_color_profile(handle, &nclx);
    // libheif may have made the profile before it found a value it does not know.
    const std::unique_ptr<heif_color_profile_nclx, HeifDelete> owned(nclx);
    if (error.code != heif_error_Ok || nclx == nullptr) return {};
    std::string profile;
    const bool srgbCurve =
        nclx->transfer_characteristics == heif_transfer_characteristic_IEC_61966_2_1 ||
        nclx->transfer_characteristics == heif_transfer_characteristic_unspecified;
    const bool ownPrimaries = nclx->color_primaries != heif_color_primaries_ITU_R_BT_709_5 &&
                              nclx->color_primaries != heif_color_primaries_unspecified;
    if (srgbCurve && ownPrimaries)
        profile = SrgbCurveProfile({nclx->color_primary_red_x, nclx->color_primary_red_y,
                                    nclx->color_primary_green_x, nclx->color_primary_green_y,
                                    nclx->color_primary_blue_x, nclx->color_primary_blue_y,
                                    nclx->color_primary_white_x, nclx->color_primary_white_y});
    return profile;
}

}  // namespace

TBitmap DecodeHeif(std::string_view bytes, std::uint64_t maxPixels) {
    const TPrimary primary = OpenPrimary(bytes, maxPixels);
    heif_image_handle* handle = primary.Handle.get();
    // The size after the file's own turn, as the picture will come out.
    const int width = Heif().heif_image_handle_get_width(handle);
    const int height = Heif().heif_image_handle_get_height(handle);
    CheckPictureSize("HEIF", width, height, maxPixels);
    // A grid or overlay picture is assembled on a canvas whose size its own box gives, which
    // libheif does not compare with the size above: a forged box could take gigabytes. No
    // side of any picture it makes may now pass the larger side of the declared size. That
    // bounds the canvas by the square of that side, which for a long narrow declared size
    // is far more than the picture (65600 x 32 lets a canvas of 65600 x 65600 through):
    // such a picture is refused unless the square stays within a few times its own size.
    const std::uint64_t side = std::uint64_t(std::max(width, height)) + 1;
    const std::uint64_t area = std::uint64_t(width) * std::uint64_t(height);
    if (side * side > std::max<std::uint64_t>(16 * area, std::uint64_t(1) << 26))
        throw EFSC_Exception("HEIF picture is too long and narrow to be read safely (" +
                             std::to_string(width) + " x " + std::to_string(height) + ")");
    Heif().heif_context_set_maximum_image_size_limit(primary.Context.get(), int(side));
    // The coded planes and libheif's interleaved picture lie beside ours while it decodes.
    const TMemoryBudget::TShare memory =
        ReservePicture(width, height, std::uint64_t(width) * std::uint64_t(height) * 7);
    const bool alpha = Heif().heif_image_handle_has_alpha_channel(handle) != 0;
    heif_image* decoded = nullptr;
    Check(Heif().heif_decode_image(
              handle, &decoded, heif_colorspace_RGB,
              alpha ? heif_chroma_interleaved_RGBA : heif_chroma_interleaved_RGB, nullptr),
          "HEIF picture cannot be decoded");
    const HeifPtr<heif_image> image(decoded);
    int stride = 0;
    const std::uint8_t* plane =
        Heif().heif_image_get_plane_readonly(image.get(), heif_channel_interleaved, &stride);
    if (plane == nullptr ||
        Heif().heif_image_get_width(image.get(), heif_channel_interleaved) != width ||
        Heif().heif_image_get_height(image.get(), heif_channel_interleaved) != height)
        throw EFSC_Exception("HEIF picture cannot be decoded");
    TBitmap picture(width, height);
    CopyOverWhite(plane, stride, alpha, picture);
    ConvertToSrgb(picture, IccProfile(handle));
    return picture;
}

std::uint64_t HeifFilePictureBytes(const std::string& fileName) {
    const HeifPtr<heif_context> context(Heif().heif_context_alloc());
    heif_image_handle* handle = nullptr;
    if (Heif().heif_context_read_from_file(context.get(), fileName.c_str(), nullptr).code !=
            heif_error_Ok ||
        Heif().heif_context_get_primary_image_handle(context.get(), &handle).code != heif_error_Ok)
        return 0;
    const HeifPtr<heif_image_handle> primary(handle);
    return std::uint64_t(std::max(Heif().heif_image_handle_get_width(handle), 0)) *
           std::uint64_t(std::max(Heif().heif_image_handle_get_height(handle), 0)) * 3;
}

std::string HeifExifPayload(std::string_view bytes) {
    try {
        const TPrimary primary = OpenPrimary(bytes, MaxPicturePixels);
        heif_item_id id = 0;
        if (Heif().heif_image_handle_get_list_of_metadata_block_IDs(primary.Handle.get(), "Exif",
                                                                    &id, 1) < 1)
            return {};
        std::string block(Heif().heif_image_handle_get_metadata_size(primary.Handle.get(), id),
                          '\0');
        if (Heif().heif_image_handle_get_metadata(primary.Handle.get(), id, block.data()).code !=
            heif_error_Ok)
            return {};
        // The item starts with the big-endian distance from its fifth byte to the TIFF header.
        if (block.size() < 4) return {};
        const auto* start = reinterpret_cast<const std::uint8_t*>(block.data());
        const std::uint64_t skip =
            std::uint64_t(start[0]) << 24 | start[1] << 16 | start[2] << 8 | start[3];
        if (skip > block.size() - 4) return {};
        return ExifPayloadFromBlock(std::string_view(block).substr(4 + skip));
    } catch (const EFSC_Exception&) {
        return {};
    }
}

}  // namespace fsc
