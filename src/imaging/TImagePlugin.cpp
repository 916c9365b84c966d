// One image plug-in module loaded with dlopen, reading pictures through the C interface.
#include "imaging/TImagePlugin.h"

#include <dlfcn.h>

#include <cstring>

#include "base/Errors.h"
#include "base/Paths.h"
#include "imaging/PictureLimits.h"

namespace fsc {

namespace {

template <typename Function>
Function Symbol(void* handle, const char* name) {
    return reinterpret_cast<Function>(::dlsym(handle, name));
}

std::string FilterOf(void* handle, const char* name) {
    const auto get = Symbol<FscLibGetFilter>(handle, name);
    const char* text = get != nullptr ? get() : nullptr;
    return text != nullptr ? std::string(text) : std::string();
}

// Frees the module's pixels however the copy ends.
struct PluginImageGuard {
    FscPluginImage& Image;
    FscLibFreeImage Free;
    ~PluginImageGuard() { Free(&Image); }
};

}  // namespace

void TImagePlugin::HandleCloser::operator()(void* h) const { ::dlclose(h); }

std::unique_ptr<TImagePlugin> TImagePlugin::Open(const std::string& path) {
    // RTLD_LOCAL keeps one module's symbols from resolving another's.
    void* raw = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (raw == nullptr) return nullptr;
    std::unique_ptr<TImagePlugin> plugin(new TImagePlugin);
    plugin->handle.reset(raw);
    plugin->path = path;
    plugin->loadImage = Symbol<FscLibLoadImage>(raw, "LibLoadImage");
    plugin->saveImage = Symbol<FscLibSaveImage>(raw, "LibSaveImage");
    plugin->freeImage = Symbol<FscLibFreeImage>(raw, "LibFreeImage");
    if (!plugin->loadImage || !plugin->saveImage || !plugin->freeImage) return nullptr;
    plugin->loadFilter = FilterOf(raw, "LibGetLoadFilter");
    plugin->saveFilter = FilterOf(raw, "LibGetSaveFilter");
    return plugin;
}

TBitmap TImagePlugin::Load(const std::string& fileName) const {
    FscPluginImage image;
    std::memset(&image, 0, sizeof image);
    image.Version = FSC_IMAGE_PLUGIN_VERSION;
    if (loadImage(fileName.c_str(), "", &image) == 0) {
        image.ErrorMessage[FSC_IMAGE_PLUGIN_MESSAGE_SIZE - 1] = '\0';
        const std::string message = image.ErrorMessage;
        throw EFSC_Exception(message.empty() ? "The plug-in " + ExtractFileName(path) +
                                                   " could not read the file"
                                             : message);
    }
    PluginImageGuard guard{image, freeImage};
    // The module is foreign code: trust none of its numbers.
    CheckPictureSize("Plug-in", image.Width, image.Height, MaxPicturePixels);
    if (image.Pixels == nullptr || image.Stride < 0 ||
        std::int64_t(image.Stride) < std::int64_t(image.Width) * 3)
        throw EFSC_Exception("The plug-in " + ExtractFileName(path) + " returned an invalid image");
    // The module has made its picture already; the copy is reserved beside it.
    const TMemoryBudget::TShare memory =
        ReservePicture(image.Width, image.Height, std::uint64_t(image.Width) * image.Height * 3);
    TBitmap picture(image.Width, image.Height);
    for (int y = 0; y < image.Height; y++)
        std::memcpy(picture.Row(y), image.Pixels + std::size_t(y) * std::size_t(image.Stride),
                    picture.Stride());
    return picture;
}

}  // namespace fsc
