// Draws .wmf (libwmf) and .emf (libemf2svg, librsvg) metafiles at their own size.
#include "imaging/MetafileReader.h"

#include <cairo.h>
#include <emf2svg.h>
#include <librsvg/rsvg.h>
#include <libwmf/api.h>
#include <libwmf/gd.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "base/Errors.h"
#include "base/LazyLibrary.h"
#include "imaging/PictureFile.h"
#include "imaging/PictureLimits.h"
#include "imaging/PngReader.h"

namespace fsc {

namespace {

// libwmf (with libwmflite) loads with the first .wmf file.
#define FSC_WMF_FUNCTIONS(F) \
    F(wmf_api_create)        \
    F(wmf_api_destroy)       \
    F(wmf_display_size)      \
    F(wmf_gd_function)       \
    F(wmf_mem_open)          \
    F(wmf_play)              \
    F(wmf_scan)

FSC_LAZY_FUNCTIONS(WmfFunctions, Wmf, FSC_WMF_FUNCTIONS, FSC_SONAME_WMF)

// librsvg draws the SVG an .emf file becomes; cairo and GLib come with it.
#define FSC_SVG_FUNCTIONS(F)                    \
    F(cairo_create)                             \
    F(cairo_destroy)                            \
    F(cairo_image_surface_create)               \
    F(cairo_image_surface_get_data)             \
    F(cairo_image_surface_get_stride)           \
    F(cairo_paint)                              \
    F(cairo_set_source_rgb)                     \
    F(cairo_surface_destroy)                    \
    F(cairo_surface_flush)                      \
    F(g_error_free)                             \
    F(g_object_unref)                           \
    F(rsvg_handle_get_intrinsic_size_in_pixels) \
    F(rsvg_handle_new_from_data)                \
    F(rsvg_handle_render_document)              \
    F(rsvg_handle_set_dpi)

FSC_LAZY_FUNCTIONS(SvgFunctions, Svg, FSC_SVG_FUNCTIONS, FSC_SONAME_RSVG)

// libemf2svg loads with the first .emf file.
#define FSC_EMF_FUNCTIONS(F) F(emf2svg)

FSC_LAZY_FUNCTIONS(EmfFunctions, Emf, FSC_EMF_FUNCTIONS, FSC_SONAME_EMF2SVG)

// A metafile is drawn, not stored: keep its canvas to a sane size.
constexpr std::uint64_t MaxMetafilePixels = 100'000'000;

struct WmfApiDestroy {
    void operator()(wmfAPI* api) const { Wmf().wmf_api_destroy(api); }
};

// Debian's libwmf draws text with the URW base fonts from this folder, and without them it
// refuses every file, good or bad, with the error it gives for a damaged one. The fonts are
// only a recommendation of the library, so a machine may well lack them.
constexpr const char* WmfFontFile = "/usr/share/fonts/type1/urw-base35/NimbusSans-Regular.t1";

void CheckWmf(wmf_error_t status) {
    if (status == wmf_E_None) return;
    if (::access(WmfFontFile, R_OK) != 0) {
        throw EFSC_Exception(
            "Cannot draw WMF files: the URW base fonts that libwmf needs are missing (" +
            std::string(WmfFontFile) + "; Debian package fonts-urw-base35)");
    }
    throw EFSC_Exception("Invalid WMF file (libwmf error " + std::to_string(int(status)) + ")");
}

// libwmf draws into its own copy of gd, whose image it cannot free for us;
// asking for PNG through a sink lets libwmf free the image itself.
extern "C" int AppendToString(void* context, char* buffer, int length) {
    static_cast<std::string*>(context)->append(buffer, std::size_t(length));
    return length;
}

struct GObjectUnref {
    void operator()(void* object) const { Svg().g_object_unref(object); }
};
struct SurfaceDestroy {
    void operator()(cairo_surface_t* surface) const { Svg().cairo_surface_destroy(surface); }
};
struct CairoDestroy {
    void operator()(cairo_t* cr) const { Svg().cairo_destroy(cr); }
};

std::uint32_t U32At(std::string_view bytes, std::size_t at) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data()) + at;
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
           std::uint32_t(p[3]) << 24;
}

// libemf2svg trusts record sizes and reads past the buffer on a cut or empty
// file, so walk the record chain first: a header record with the " EMF"
// signature, every record inside the file, and an end-of-file record last.
void CheckEmfRecords(std::string_view bytes) {
    constexpr std::uint32_t HeaderRecord = 1, EndRecord = 14, Signature = 0x464D4520;
    if (bytes.size() < 88 || U32At(bytes, 0) != HeaderRecord || U32At(bytes, 40) != Signature)
        throw EFSC_Exception("Invalid EMF file: no enhanced metafile header");
    std::size_t at = 0;
    for (;;) {
        if (bytes.size() - at < 8) throw EFSC_Exception("EMF file is truncated");
        const std::uint32_t type = U32At(bytes, at), size = U32At(bytes, at + 4);
        if (size < 8 || size % 4 != 0 || size > bytes.size() - at)
            throw EFSC_Exception("EMF file is truncated");
        if (type == EndRecord) return;
        at += size;
    }
}

std::string EmfToSvg(std::string_view bytes) {
    CheckEmfRecords(bytes);
    generatorOptions options;
    std::memset(&options, 0, sizeof options);
    options.nameSpace = nullptr;
    options.emfplus = true;
    options.svgDelimiter = true;
    char* svg = nullptr;
    std::size_t length = 0;
    std::vector<char> copy(bytes.begin(), bytes.end());
    const int ok = Emf().emf2svg(copy.data(), copy.size(), &svg, &length, &options);
    std::unique_ptr<char, decltype(&std::free)> owned(svg, &std::free);
    if (!ok || svg == nullptr) throw EFSC_Exception("Invalid EMF file");
    return std::string(svg, length);
}

TBitmap RenderSvg(const std::string& svg) {
    GError* error = nullptr;
    std::unique_ptr<RsvgHandle, GObjectUnref> handle(Svg().rsvg_handle_new_from_data(
        reinterpret_cast<const guint8*>(svg.data()), svg.size(), &error));
    if (error != nullptr) Svg().g_error_free(error);
    if (!handle) throw EFSC_Exception("Invalid EMF file: its drawing could not be rendered");
    Svg().rsvg_handle_set_dpi(handle.get(), 96);
    gdouble width = 0, height = 0;
    if (!Svg().rsvg_handle_get_intrinsic_size_in_pixels(handle.get(), &width, &height))
        throw EFSC_Exception("Invalid EMF file: it has no size");
    CheckPictureSize("EMF", std::int64_t(width + 0.5), std::int64_t(height + 0.5),
                     MaxMetafilePixels);
    // The drawing surface holds four bytes a pixel beside the picture.
    const std::int64_t pixels = std::int64_t(width + 0.5) * std::int64_t(height + 0.5);
    const TMemoryBudget::TShare memory =
        ReservePicture(std::int64_t(width + 0.5), std::int64_t(height + 0.5), 4 * pixels);
    TBitmap picture(int(width + 0.5), int(height + 0.5));
    std::unique_ptr<cairo_surface_t, SurfaceDestroy> surface(
        Svg().cairo_image_surface_create(CAIRO_FORMAT_RGB24, picture.Width, picture.Height));
    std::unique_ptr<cairo_t, CairoDestroy> cr(Svg().cairo_create(surface.get()));
    Svg().cairo_set_source_rgb(cr.get(), 1, 1, 1);
    Svg().cairo_paint(cr.get());
    const RsvgRectangle viewport{0, 0, double(picture.Width), double(picture.Height)};
    Svg().rsvg_handle_render_document(handle.get(), cr.get(), &viewport, nullptr);
    Svg().cairo_surface_flush(surface.get());
    const unsigned char* data = Svg().cairo_image_surface_get_data(surface.get());
    const int stride = Svg().cairo_image_surface_get_stride(surface.get());
    for (int y = 0; y < picture.Height; y++) {
        const auto* from =
            reinterpret_cast<const std::uint32_t*>(data + std::size_t(y) * std::size_t(stride));
        std::uint8_t* to = picture.Row(y);
        for (int x = 0; x < picture.Width; x++, to += 3)
            to[0] = std::uint8_t(from[x] >> 16), to[1] = std::uint8_t(from[x] >> 8),
            to[2] = std::uint8_t(from[x]);
    }
    return picture;
}

}  // namespace

TBitmap DrawWmf(std::string_view bytes) {
    // Declared before the player, which may still write to it while being destroyed.
    std::string png;
    wmfAPI_Options options;
    std::memset(&options, 0, sizeof options);
    options.function = Wmf().wmf_gd_function;
    wmfAPI* raw = nullptr;
    CheckWmf(Wmf().wmf_api_create(
        &raw, WMF_OPT_FUNCTION | WMF_OPT_IGNORE_NONFATAL | WMF_OPT_NO_ERROR | WMF_OPT_NO_DEBUG,
        &options));
    std::unique_ptr<wmfAPI, WmfApiDestroy> api(raw);
    std::vector<unsigned char> copy(bytes.begin(), bytes.end());
    CheckWmf(Wmf().wmf_mem_open(api.get(), copy.data(), long(copy.size())));
    wmfD_Rect bbox;
    CheckWmf(Wmf().wmf_scan(api.get(), 0, &bbox));
    unsigned width = 0, height = 0;
    CheckWmf(Wmf().wmf_display_size(api.get(), &width, &height, 96, 96));
    CheckPictureSize("WMF", width, height, MaxMetafilePixels);
    auto* device = static_cast<wmf_gd_t*>(api->device_data);
    device->type = wmf_gd_png;
    device->sink.context = &png;
    device->sink.function = AppendToString;
    device->flags |= WMF_GD_OUTPUT_MEMORY | WMF_GD_OWN_BUFFER;
    device->width = width;
    device->height = height;
    device->bbox = bbox;
    CheckWmf(Wmf().wmf_play(api.get(), 0, &bbox));
    // Closing the player writes the picture into the sink.
    api.reset();
    if (png.empty()) throw EFSC_Exception("Invalid WMF file: nothing was drawn");
    return DecodePng(png, MaxMetafilePixels);
}

TBitmap DrawEmf(std::string_view bytes) { return RenderSvg(EmfToSvg(bytes)); }

TBitmap LoadMetafile(const std::string& fileName, bool enhanced) {
    const std::string bytes = ReadPictureFile(fileName);
    return enhanced ? DrawEmf(bytes) : DrawWmf(bytes);
}

}  // namespace fsc
