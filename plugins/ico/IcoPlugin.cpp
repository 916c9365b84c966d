// The icon plug-in module: Windows icon files through Folioscope's C plug-in interface.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <fstream>
#include <iterator>
#include <string>

#include "IcoDecoder.h"
#include "imaging/ImagePluginAbi.h"

namespace {

constexpr const char* Filter = "Windows icon (*.ico)|*.ico";

void SetMessage(FscPluginImage* image, const char* text) {
    std::snprintf(image->ErrorMessage, sizeof image->ErrorMessage, "%s", text);
}

}  // namespace

// No exception may cross into the host: every entry point catches all.
extern "C" {

__attribute__((visibility("default"))) int LibLoadImage(const char* fileName, const char*,
                                                        FscPluginImage* image) {
    if (image == nullptr || fileName == nullptr) return 0;
    if (image->Version != FSC_IMAGE_PLUGIN_VERSION) {
        SetMessage(image, "The icon plug-in does not match this version of the program");
        return 0;
    }
    try {
        std::ifstream in(fileName, std::ios::binary);
        if (!in) {
            SetMessage(image, "Unable to open file");
            return 0;
        }
        const std::string bytes((std::istreambuf_iterator<char>(in)),
                                std::istreambuf_iterator<char>());
        const fsc::TBitmap picture = fsc::ico::DecodeIco(bytes);
        auto* pixels = static_cast<unsigned char*>(std::malloc(picture.Pixels.size()));
        if (pixels == nullptr) {
            SetMessage(image, "Out of memory");
            return 0;
        }
        std::memcpy(pixels, picture.Pixels.data(), picture.Pixels.size());
        image->Width = picture.Width;
        image->Height = picture.Height;
        image->Stride = int(picture.Stride());
        image->Pixels = pixels;
        return 1;
    } catch (const std::exception& error) {
        SetMessage(image, error.what());
    } catch (...) {
        SetMessage(image, "The icon could not be read");
    }
    return 0;
}

__attribute__((visibility("default"))) int LibSaveImage(const char* fileName, const char*,
                                                        FscPluginImage* image) {
    if (image == nullptr || fileName == nullptr || image->Pixels == nullptr ||
        image->Stride < image->Width * 3)
        return 0;
    try {
        fsc::TBitmap picture(image->Width, image->Height);
        for (int y = 0; y < image->Height; y++)
            std::memcpy(picture.Row(y), image->Pixels + std::size_t(y) * std::size_t(image->Stride),
                        picture.Stride());
        const std::string bytes = fsc::ico::EncodeIco(picture);
        std::ofstream out(fileName, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), std::streamsize(bytes.size()));
        if (!out.flush()) {
            SetMessage(image, "Error writing image file:");
            return 0;
        }
        return 1;
    } catch (const std::exception& error) {
        SetMessage(image, error.what());
    }
    return 0;
}

__attribute__((visibility("default"))) int LibFreeImage(FscPluginImage* image) {
    if (image == nullptr) return 0;
    std::free(image->Pixels);
    image->Pixels = nullptr;
    return 1;
}

__attribute__((visibility("default"))) const char* LibGetLoadFilter() { return Filter; }
__attribute__((visibility("default"))) const char* LibGetSaveFilter() { return Filter; }

}  // extern "C"
