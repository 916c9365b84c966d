// Reading a gallery picture once, at the size it is needed.
#include "engine/SourcePicture.h"

#include "base/Errors.h"
#include "base/IMessages.h"
#include "base/Text.h"
#include "imaging/GraphicsIO.h"
#include "imaging/JpegReader.h"

namespace fsc {

namespace {

// The readers' own messages ("Unable to open file", "JPEG file is truncated") do not say which
// of a gallery's many pictures is at fault.
[[noreturn]] void ThrowNamingFile(const std::string& fileName, const EFSC_Exception& error) {
    throw EFSC_Exception("Cannot load image \"" + fileName + "\": " + error.what());
}

class TNoticeList final : public IMessages {
public:
    explicit TNoticeList(std::vector<std::string>& notices) : notices(notices) {}
    void ShowMessage(const std::string& text) override { notices.push_back(text); }
    void ShowError(const std::string& text) override { notices.push_back(text); }
    void ShowInformation(const std::string& text) override { notices.push_back(text); }

private:
    std::vector<std::string>& notices;
};

}  // namespace

bool IsJpegFileName(const std::string& fileName) {
    const std::string upper = UpperCase(fileName);
    return EndsWith(upper, ".JPG") || EndsWith(upper, ".JPEG") || EndsWith(upper, ".JPE");
}

TSourcePicture::TSourcePicture(const std::string& fileName, std::vector<std::string>& notices)
    : fileName(fileName) {
    try {
        if (IsJpegFileName(fileName)) {
            isJpegFile = true;
            const TJpegInfo info = ReadJpegFileInfo(fileName);
            size = {info.Width, info.Height};
            decodeBytes = info.CoefficientBytes;
        } else {
            TNoticeList messages(notices);
            whole = LoadPicture(fileName, &messages);
            size = {whole.Width, whole.Height};
        }
    } catch (const EFSC_Exception& error) {
        ThrowNamingFile(fileName, error);
    }
}

TSourcePicture::TSourcePicture(const std::string& fileName, std::string jpegBytes)
    : fileName(fileName), jpegBytes(std::move(jpegBytes)) {
    try {
        ReadJpegHeader();
    } catch (const EFSC_Exception& error) {
        ThrowNamingFile(fileName, error);
    }
}

void TSourcePicture::ReadJpegHeader() {
    const TJpegInfo info = ReadJpegInfo(jpegBytes);
    size = {info.Width, info.Height};
    decodeBytes = info.CoefficientBytes;
}

TBitmap TSourcePicture::Picture(TSize atLeast) {
    try {
        if (isJpegFile) return DecodeJpegFileAtLeast(fileName, atLeast.Width, atLeast.Height);
        if (jpegBytes.empty()) return std::move(whole);
        return DecodeJpegAtLeast(jpegBytes, atLeast.Width, atLeast.Height);
    } catch (const EFSC_Exception& error) {
        ThrowNamingFile(fileName, error);
    }
}

}  // namespace fsc
