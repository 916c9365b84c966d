// The tags that put one image's data into a thumbnail cell or an image page.
#pragma once

#include <string>

#include "engine/TFSC_Images.h"
#include "engine/TThumbnail.h"
#include "imaging/ImageFitting.h"

namespace fsc {

enum class TTagPlace { Cell, ImagePage };

// Replaces the image data tags for the image at 0-based list position `number`, in their
// fixed order; after the free fields come the alt text, the caption, the copy's size and the
// photo's own data ("<!-DATETAKEN->", "<!-CAMERA->", "<!-LENS->", "<!-EXPOSURE->",
// "<!-APERTURE->", "<!-ISO->", "<!-FOCALLENGTH->", "<!-GPS->"), each empty when the photo
// does not say. In a cell, URLs get the image directory prefix and "<!-IMAGEDIR->" is filled.
// URLs are percent-encoded (a link with a scheme is kept as written), names and hints are
// written as HTML text; descriptions and the free fields are the author's markup.
// `copySize` is the size of the image's copy for the copy size tags; 0 x 0 when unknown.
std::string ApplyImageDataTags(std::string text, const TThumbnail& thumb, int number,
                               const std::string& imageDir, TTagPlace place, TSize copySize);

// "<!-ORIGINALURL->", the address of the picture's original in the originals folder, and
// "<!-ORIGINALLINK->", a download link to it, both empty when the build offers no original,
// so that any page may hold them. `upToHTMLDir` leads from the page back to the HTML
// directory ("../" from an image page in "images/").
std::string ApplyOriginalTags(std::string text, const TThumbnail& thumb,
                              const std::string& upToHTMLDir);

// The picture's name for people: without its extension, "_" shown as a space, and the
// characters that would end an attribute or start markup written as entities.
std::string CaptionText(const std::string& name);

// What describes the picture to someone who cannot see it: the hint, or else the caption.
// Safe inside a double-quoted attribute; a hint's own entities are kept as written.
std::string AltText(const TThumbnail& thumb);

// The size of the copy the gallery shows: the source's size as measured while the thumbnails
// were made, shrunk as the copy step shrinks it; 0 x 0 when the source was never measured.
TSize CopySizeOf(const TThumbnail& thumb, const TFSC_Images& images);

// "K.d": whole kilobytes and tenths, counted in units of 1028 and 103 bytes.
std::string SizeKBText(int fileSize);

}  // namespace fsc
