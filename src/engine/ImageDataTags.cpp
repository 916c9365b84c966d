// Image data tags.
#include "engine/ImageDataTags.h"

#include "base/Paths.h"
#include "base/TDateTime.h"
#include "base/Text.h"
#include "base/WebText.h"
#include "engine/ImageCopyPicture.h"
#include "engine/OriginalFiles.h"
#include "engine/PageUrls.h"

namespace fsc {

namespace {

std::string SizeText(int pixels) { return pixels > 0 ? std::to_string(pixels) : std::string(); }

}  // namespace

std::string CaptionText(const std::string& name) {
    const std::string ext = ExtractFileExt(name);
    return HtmlText(ReplaceAll(name.substr(0, name.size() - ext.size()), "_", " "));
}

std::string AltText(const TThumbnail& thumb) {
    // Hints are written by people who may use entities such as "&eacute;" on purpose.
    if (!Trim(thumb.Hint).empty()) return HtmlTextKeepingEntities(thumb.Hint);
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

// A template uses few of these tags, and some values (dates, escaped texts) cost more to make
// than the search for their tag: make a value only for a tag that is there.
template <class MakeValue>
void ReplaceTag(std::string& text, std::string_view tag, MakeValue makeValue) {
    if (text.find(tag) != std::string::npos) ReplaceAllIn(text, tag, makeValue());
}

void ApplyPhotoDataTags(std::string& text, const TPhotoData& photo) {
    ReplaceTag(text, "<!-DATETAKEN->",
               [&] { return photo.Taken != 0 ? ShortDateString(photo.Taken) : std::string(); });
    ReplaceTag(text, "<!-CAMERA->", [&] { return HtmlText(photo.Camera); });
    ReplaceTag(text, "<!-LENS->", [&] { return HtmlText(photo.Lens); });
    ReplaceTag(text, "<!-EXPOSURE->", [&] { return HtmlText(photo.Exposure); });
    ReplaceTag(text, "<!-APERTURE->", [&] { return HtmlText(photo.Aperture); });
    ReplaceTag(text, "<!-ISO->", [&] { return HtmlText(photo.Iso); });
    ReplaceTag(text, "<!-FOCALLENGTH->", [&] { return HtmlText(photo.FocalLength); });
    ReplaceTag(text, "<!-GPS->", [&] { return HtmlText(photo.Gps); });
}

}  // namespace

std::string ApplyImageDataTags(std::string text, const TThumbnail& thumb, int number,
                               const std::string& imageDir, TTagPlace place, TSize copySize) {
    const std::string prefix = place == TTagPlace::Cell ? imageDir : std::string();
    // Names and hints are text, wherever a template puts them; descriptions and the free
    // fields are the author's own markup.
    ReplaceTag(text, "<!-HINT->", [&] { return HtmlTextKeepingEntities(thumb.Hint); });
    ReplaceTag(text, "<!-DESCRIPTION->", [&] { return thumb.Description; });
    ReplaceTag(text, "<!-NAME->", [&] { return HtmlText(thumb.Name); });
    ReplaceTag(text, "<!-NAMEUS->", [&] { return HtmlText(ReplaceAll(thumb.Name, "_", " ")); });
    ReplaceTag(text, "<!-SIZE->", [&] { return std::to_string(thumb.FileSize); });
    ReplaceTag(text, "<!-SIZEKB->", [&] { return SizeKBText(thumb.FileSize); });
    ReplaceTag(text, "<!-NUMBER->", [&] { return std::to_string(number); });
    ReplaceTag(text, "<!-DATE->", [&] { return ShortDateString(thumb.FileDate); });
    ReplaceTag(text, "<!-LINK->", [&] { return HtmlText(LinkUrl(thumb, prefix)); });
    ReplaceTag(text, "<!-IMAGEURL->", [&] { return FileUrl(prefix, thumb.Name); });
    ReplaceTag(text, "<!-THUMBURL->", [&] { return FileUrl(prefix, thumb.ThumbName); });
    ReplaceTag(text, "<!-OTHERLINKURL->",
               [&] { return HtmlText(UrlAsWritten(Trim(thumb.OtherLink))); });
    ReplaceTag(text, "<!-FIELDA->", [&] { return thumb.FieldA; });
    ReplaceTag(text, "<!-FIELDB->", [&] { return thumb.FieldB; });
    ReplaceTag(text, "<!-FIELDC->", [&] { return thumb.FieldC; });
    ReplaceTag(text, "<!-ALT->", [&] { return AltText(thumb); });
    ReplaceTag(text, "<!-CAPTION->", [&] { return CaptionText(thumb.Name); });
    ReplaceTag(text, "<!-COPYWIDTH->", [&] { return SizeText(copySize.Width); });
    ReplaceTag(text, "<!-COPYHEIGHT->", [&] { return SizeText(copySize.Height); });
    // The thumbnail's own file, as the fitting rule (and, in hard-limit mode, the cut) made it.
    ReplaceTag(text, "<!-THUMBFILEWIDTH->", [&] { return SizeText(thumb.ThumbWidth); });
    ReplaceTag(text, "<!-THUMBFILEHEIGHT->", [&] { return SizeText(thumb.ThumbHeight); });
    ApplyPhotoDataTags(text, thumb.Photo);
    if (place == TTagPlace::Cell)
        ReplaceTag(text, "<!-IMAGEDIR->", [&] { return FileUrl(imageDir, ""); });
    return text;
}

std::string ApplyOriginalTags(std::string text, const TThumbnail& thumb,
                              const std::string& upToHTMLDir) {
    const auto url = [&] {
        if (thumb.OriginalName.empty()) return std::string();
        return FileUrl(upToHTMLDir + OriginalsFolder + "/", thumb.OriginalName);
    };
    ReplaceTag(text, "<!-ORIGINALURL->", url);
    ReplaceTag(text, "<!-ORIGINALLINK->", [&] {
        if (thumb.OriginalName.empty()) return std::string();
        return "<a href=\"" + url() + "\" download>Download original</a>";
    });
    return text;
}

}  // namespace fsc
