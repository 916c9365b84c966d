// The markup of one thumbnail: the thumbnail scheme around a linked image tag.
#pragma once

#include <string>

#include "engine/TPageContext.h"

namespace fsc {

// How a thumbnail's picture loads: the first row at once, as the page's largest paint; the
// rest only as the visitor scrolls near them.
enum class TThumbLoading { Eager, Lazy };

// Cell for image index n; `attr` (a class attribute or "") goes into the a and img tags.
// Rewrites the image's Link for image pages and other links, so cells come before any
// page that uses Link.
std::string ThumbCell(TPageContext& context, int n, const std::string& attr,
                      TThumbLoading loading = TThumbLoading::Lazy);

// The image directory as seen from the thumbnail page being made.
std::string PageImageDir(const TPageContext& context);

// Sets Link the way thumbnails and slides link: to the image page with LinkToHTML, to the
// trimmed other link with useOtherLink, else left as it is.
void UpdateLink(TThumbnail& thumb, const TFSC_HTML& html);

}  // namespace fsc
