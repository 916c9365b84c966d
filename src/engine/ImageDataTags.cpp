// Image data tags.
#include "engine/ImageDataTags.h"

#include "base/TDateTime.h"
#include "base/Text.h"

namespace fsc {

std::string SizeKBText(int fileSize) {
    return std::to_string(fileSize / 1028) + "." + std::to_string((fileSize % 1028) / 103);
}

namespace {

// Camera texts come from the file, not from the gallery's author: they are text, not markup.
std::string HtmlText(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

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
                               const std::string& imageDir, TTagPlace place) {
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
    text = ApplyPhotoDataTags(std::move(text), thumb.Photo);
    if (place == TTagPlace::Cell) text = ReplaceAll(text, "<!-IMAGEDIR->", imageDir);
    return text;
}

}  // namespace fsc
