// The GIF plug-in module: GIF files through Folioscope's C plug-in interface.
#include "GifDecoder.h"
#include "PluginExports.h"

namespace {
constexpr const char* Filter = "Graphics Interchange Format (*.gif)|*.gif";
}

FSC_PLUGIN_EXPORT int LibLoadImage(const char* fileName, const char*, FscPluginImage* image) {
    return fsc::plugin::LoadImage(fsc::gif::DecodeGifFile, fileName, image);
}

FSC_PLUGIN_EXPORT int LibSaveImage(const char* fileName, const char*, FscPluginImage* image) {
    return fsc::plugin::SaveImage(fsc::gif::EncodeGif, fileName, image);
}

FSC_PLUGIN_EXPORT int LibFreeImage(FscPluginImage* image) { return fsc::plugin::FreeImage(image); }

FSC_PLUGIN_EXPORT const char* LibGetLoadFilter() { return Filter; }
FSC_PLUGIN_EXPORT const char* LibGetSaveFilter() { return Filter; }
