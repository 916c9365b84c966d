// The one door for reading pictures: image names, loading, testing a file, the open filter.
#include "imaging/GraphicsIO.h"

#include <filesystem>
#include <vector>

#include "base/AppFolders.h"
#include "base/Errors.h"
#include "base/IMessages.h"
#include "base/Text.h"
#include "imaging/MetafileReader.h"

namespace fsc {

TPictureFormats& PictureFormats() {
    static TPictureFormats formats;
    return formats;
}

std::string RegisterPicturePlugins() {
    PictureFormats().RegisterPlugins(PluginFolder());
    return OpenPictureFilter();
}

std::string OpenPictureFilter(const TPictureFormats& formats) {
    std::string patterns = "*.wmf;*.emf;";
    std::string entries;
    bool first = true;
    for (const TPictureFormat& format : formats.Formats()) {
        patterns += (first ? "" : ";") + format.Patterns;
        entries += format.FilterEntry() + "|";
        first = false;
    }
    return "All images (" + patterns + ")|" + patterns + "|" + entries +
           "Windows Meta File (*.emf,*.wmf)|*.wmf;*.emf;|";
}

bool IsImageName(const std::string& name) {
    static const char* const extensions[] = {
        ".BMP", ".JPG",  ".JPEG", ".JP2",  ".JPC",  ".PNG",  ".WMF", ".EMF", ".ICO", ".GIF",
        ".TIF", ".TIFF", ".WEBP", ".HEIC", ".HEIF", ".AVIF", ".CR2", ".NEF", ".ARW", ".DNG"};
    const std::string upper = UpperCase(name);
    for (const char* extension : extensions)
        if (EndsWith(upper, extension)) return true;
    return false;
}

bool IsRawName(const std::string& name) {
    const std::string upper = UpperCase(name);
    for (const char* extension : {".CR2", ".NEF", ".ARW", ".DNG"})
        if (EndsWith(upper, extension)) return true;
    return false;
}

bool IsMetafileName(const std::string& name) {
    const std::string upper = UpperCase(name);
    return EndsWith(upper, ".WMF") || EndsWith(upper, ".EMF");
}

TBitmap LoadPicture(const std::string& name, IMessages* messages) {
    return LoadPicture(PictureFormats(), name, messages);
}

TBitmap LoadPicture(const TPictureFormats& formats, const std::string& name, IMessages* messages) {
    if (name.empty()) throw EFSC_Exception("No file name");
    if (IsMetafileName(name)) return LoadMetafile(name, !EndsWith(UpperCase(name), ".WMF"));
    const TPictureFormat* format = formats.Find(name);
    if (format == nullptr) throw EFSC_Exception("Unsupported file format");
    std::vector<std::string> notices;
    TBitmap picture = format->Load(name, notices);
    if (messages != nullptr)
        for (const std::string& notice : notices) messages->ShowMessage(notice);
    return picture;
}

bool IsValidImage(const std::string& name, bool report, IMessages* messages) {
    return IsValidImage(PictureFormats(), name, report, messages);
}

bool IsValidImage(const TPictureFormats& formats, const std::string& name, bool report,
                  IMessages* messages) {
    std::error_code error;
    if (name.empty() || !std::filesystem::exists(name, error)) return false;
    if (IsMetafileName(name)) return true;
    try {
        const TPictureFormat* format = formats.Find(name);
        if (format != nullptr && format->Check) {
            format->Check(name);
        } else {
            LoadPicture(formats, name, nullptr);
        }
    } catch (...) {
        if (report && messages != nullptr)
            messages->ShowOkCancelError("Error Occured", "Not a valid image!");
        throw;
    }
    return true;
}

}  // namespace fsc
