// The icon plug-in module: Windows icon files through Folioscope's C plug-in interface.
#include "IcoDecoder.h"
#include "PluginExports.h"

namespace {
constexpr const char* Filter = "Windows icon (*.ico)|*.ico";
}

FSC_PLUGIN_EXPORT int LibLoadImage(const char* fileName, const char*, FscPluginImage* image) {
    return fsc::plugin::LoadImage(fsc::ico::DecodeIco, fileName, image);
}

FSC_PLUGIN_EXPORT int LibSaveImage(const char* fileName, const char*, FscPluginImage* image) {
    return fsc::plugin::SaveImage(fsc::ico::EncodeIco, fileName, image);
}

FSC_PLUGIN_EXPORT int LibFreeImage(FscPluginImage* image) { return fsc::plugin::FreeImage(image); }

FSC_PLUGIN_EXPORT const char* LibGetLoadFilter() { return Filter; }
FSC_PLUGIN_EXPORT const char* LibGetSaveFilter() { return Filter; }
