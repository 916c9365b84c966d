// One image plug-in module loaded with dlopen, reading pictures through the C interface.
#pragma once

#include <memory>
#include <string>

#include "imaging/ImagePluginAbi.h"
#include "imaging/TBitmap.h"

namespace fsc {

class TImagePlugin {
public:
    // Null when the module cannot be loaded or lacks one of the three required functions.
    static std::unique_ptr<TImagePlugin> Open(const std::string& path);

    const std::string& Path() const { return path; }
    // "" when the module does not tell.
    const std::string& LoadFilter() const { return loadFilter; }
    const std::string& SaveFilter() const { return saveFilter; }

    // Throws EFSC_Exception with the module's message when it cannot read the file.
    TBitmap Load(const std::string& fileName) const;

private:
    struct HandleCloser {
        void operator()(void* handle) const;
    };
    std::unique_ptr<void, HandleCloser> handle;
    std::string path;
    FscLibLoadImage loadImage = nullptr;
    FscLibSaveImage saveImage = nullptr;
    FscLibFreeImage freeImage = nullptr;
    std::string loadFilter;
    std::string saveFilter;
};

}  // namespace fsc
