// Image data tags.
#include "engine/ImageDataTags.h"

#include "base/Paths.h"
#include "base/TDateTime.h"
#include "base/Text.h"
#include "engine/ImageCopyPicture.h"

namespace fsc {

namespace {

std::string Escaped(const std::string& text, bool ampersands) {
    std::string out;
    for (char c : text) {
        switch (c) {
            case '&':
                out += ampersands ? "&amp;" : "&";
                break;
            case '"':
                out += "&quot;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

std::string SizeText(int pixels) { return pixels > 0 ? std::to_string(pixels) : std::string(); }

}  // namespace

std::string CaptionText(const std::string& name) {
    const std::string ext = ExtractFileExt(name);
    return Escaped(ReplaceAll(name.substr(0, name.size() - ext.size()), "_", " "), true);
}

std::string AltText(const TThumbnail& thumb) {
    // Hints are written by people who may use entities such as "&eacute;" on purpose.
    if (!Trim(thumb.Hint).empty()) return Escaped(thumb.Hint, false);
    return CaptionText(thumb.Name);
}

TSize CopySizeOf(const TThumbnail& thumb, const TFSC_Images& images) {
    if (thumb.ImageWidth <= 0 || thumb.ImageHeight <= 0) return {};
    return CopySize(images, {thumb.ImageWidth, thumb.ImageHeight});
}

std::string SizeKBText(int fileSize) {
    return std::to_string(fileSize / 1028) + "." + std::to_string((fileSize % 1028) / 103);
}

namespace {

// Camera texts come from the file, not from the gallery's author: they are text, not markup.
std::string HtmlText(const std::string& text) { return Escaped(text, true); }

std::string ApplyPhotoDataTags(std::string text, const TPhotoData& photo) {
    const std::string taken = photo.Taken != 0 ? ShortDateString(photo.Taken) : std::string();
    text = ReplaceAll(text, "<!-DATETAKEN->", taken);
    text = ReplaceAll(text, "<!-CAMERA->", HtmlText(photo.Camera));
    text = ReplaceAll(text, "<!-LENS->", HtmlText(photo.Lens));
    text = ReplaceAll(text, "<!-EXPOSURE->", HtmlText(photo.Exposure));
    text = ReplaceAll(text, "<!-APERTURE->", HtmlText(photo.Aperture));
    text = ReplaceAll(text, "<!-ISO->", HtmlText(photo.Iso));
    text = ReplaceAll(text, "<!-FOCALLENGTH->", HtmlText(photo.FocalLength));
    return ReplaceAll(text, "<!-GPS->", HtmlText(photo.Gps));
}

}  // namespace

std::string ApplyImageDataTags(std::string text, const TThumbnail& thumb, int number,
                               const std::string& imageDir, TTagPlace place, TSize copySize) {
    const std::string prefix = place == TTagPlace::Cell ? imageDir : std::string();
    text = ReplaceAll(text, "<!-HINT->", thumb.Hint);
    text = ReplaceAll(text, "<!-DESCRIPTION->", thumb.Description);
    text = ReplaceAll(text, "<!-NAME->", thumb.Name);
    text = ReplaceAll(text, "<!-NAMEUS->", ReplaceAll(thumb.Name, "_", " "));
    text = ReplaceAll(text, "<!-SIZE->", std::to_string(thumb.FileSize));
    text = ReplaceAll(text, "<!-SIZEKB->", SizeKBText(thumb.FileSize));
    text = ReplaceAll(text, "<!-NUMBER->", std::to_string(number));
    text = ReplaceAll(text, "<!-DATE->", ShortDateString(thumb.FileDate));
    text = ReplaceAll(text, "<!-LINK->", prefix + thumb.Link);
    text = ReplaceAll(text, "<!-IMAGEURL->", prefix + thumb.Name);
    text = ReplaceAll(text, "<!-THUMBURL->", prefix + thumb.ThumbName);
    text = ReplaceAll(text, "<!-OTHERLINKURL->", thumb.OtherLink);
    text = ReplaceAll(text, "<!-FIELDA->", thumb.FieldA);
    text = ReplaceAll(text, "<!-FIELDB->", thumb.FieldB);
    text = ReplaceAll(text, "<!-FIELDC->", thumb.FieldC);
    text = ReplaceAll(text, "<!-ALT->", AltText(thumb));
    text = ReplaceAll(text, "<!-CAPTION->", CaptionText(thumb.Name));
    text = ReplaceAll(text, "<!-COPYWIDTH->", SizeText(copySize.Width));
    text = ReplaceAll(text, "<!-COPYHEIGHT->", SizeText(copySize.Height));
    text = ApplyPhotoDataTags(std::move(text), thumb.Photo);
    if (place == TTagPlace::Cell) text = ReplaceAll(text, "<!-IMAGEDIR->", imageDir);
    return text;
}

}  // namespace fsc
