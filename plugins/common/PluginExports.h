// The shared body of a plug-in module's exported functions: file reading, the container, no
// exceptions out.
#pragma once

#include <string>
#include <string_view>

#include "imaging/ImagePluginAbi.h"
#include "imaging/TBitmap.h"

namespace fsc::plugin {

using Decoder = TBitmap (*)(std::string_view bytes);
using Encoder = std::string (*)(const TBitmap& picture);

// Reads the file, decodes it and fills the container with pixels of our own
// allocation; returns 1, or 0 with the message in the container.
int LoadImage(Decoder decode, const char* fileName, FscPluginImage* image);
// Encodes the container's picture and writes it to the file; 1 or 0 as above.
int SaveImage(Encoder encode, const char* fileName, FscPluginImage* image);
// Frees what LoadImage allocated.
int FreeImage(FscPluginImage* image);

}  // namespace fsc::plugin

#define FSC_PLUGIN_EXPORT extern "C" __attribute__((visibility("default")))
