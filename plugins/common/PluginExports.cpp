// The shared body of a plug-in module's exported functions: file reading, the container, no
// exceptions out.
#include "PluginExports.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <fstream>
#include <iterator>

namespace fsc::plugin {

namespace {

void SetMessage(FscPluginImage* image, const char* text) {
    std::snprintf(image->ErrorMessage, sizeof image->ErrorMessage, "%s", text);
}

bool ReadFile(const char* fileName, std::string& bytes) {
    std::ifstream in(fileName, std::ios::binary);
    if (!in) return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

// Hands the pixels over in memory the host will give back to FreeImage.
bool Hand(const TBitmap& picture, FscPluginImage* image) {
    auto* pixels = static_cast<unsigned char*>(std::malloc(picture.Pixels.size()));
    if (pixels == nullptr) return false;
    std::memcpy(pixels, picture.Pixels.data(), picture.Pixels.size());
    image->Width = picture.Width;
    image->Height = picture.Height;
    image->Stride = int(picture.Stride());
    image->Pixels = pixels;
    return true;
}

}  // namespace

int LoadImage(Decoder decode, const char* fileName, FscPluginImage* image) {
    if (image == nullptr || fileName == nullptr) return 0;
    if (image->Version != FSC_IMAGE_PLUGIN_VERSION) {
        SetMessage(image, "The plug-in does not match this version of the program");
        return 0;
    }
    // No exception may cross into the host.
    try {
        std::string bytes;
        if (!ReadFile(fileName, bytes)) {
            SetMessage(image, "Unable to open file");
            return 0;
        }
        if (!Hand(decode(bytes), image)) {
            SetMessage(image, "Out of memory");
            return 0;
        }
        return 1;
    } catch (const std::exception& error) {
        SetMessage(image, error.what());
    } catch (...) {
        SetMessage(image, "The picture could not be read");
    }
    return 0;
}

int SaveImage(Encoder encode, const char* fileName, FscPluginImage* image) {
    if (image == nullptr || fileName == nullptr || image->Pixels == nullptr || image->Width <= 0 ||
        image->Height <= 0 || image->Stride < image->Width * 3)
        return 0;
    try {
        TBitmap picture(image->Width, image->Height);
        for (int y = 0; y < image->Height; y++)
            std::memcpy(picture.Row(y), image->Pixels + std::size_t(y) * std::size_t(image->Stride),
                        picture.Stride());
        const std::string bytes = encode(picture);
        std::ofstream out(fileName, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), std::streamsize(bytes.size()));
        if (!out.flush()) {
            SetMessage(image, "Error writing image file:");
            return 0;
        }
        return 1;
    } catch (const std::exception& error) {
        SetMessage(image, error.what());
    } catch (...) {
        SetMessage(image, "The picture could not be written");
    }
    return 0;
}

int FreeImage(FscPluginImage* image) {
    if (image == nullptr) return 0;
    std::free(image->Pixels);
    image->Pixels = nullptr;
    return 1;
}

}  // namespace fsc::plugin
