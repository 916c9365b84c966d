// Image data tags.
#include "engine/ImageDataTags.h"

#include "base/TDateTime.h"
#include "base/Text.h"

namespace fsc {

std::string SizeKBText(int fileSize) {
    return std::to_string(fileSize / 1028) + "." + std::to_string((fileSize % 1028) / 103);
}

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
    if (place == TTagPlace::Cell) text = ReplaceAll(text, "<!-IMAGEDIR->", imageDir);
    return text;
}

}  // namespace fsc
