// Pass 1 of the HTML step: the gallery part of thumbnail pages and the image part of
// image pages.
#pragma once

#include <string>

#include "engine/TPageContext.h"

namespace fsc {

// The layout markup for images first..last of thumbnail page `pageNumber`, by the
// settings' layout code.
std::string LayoutHTML(TPageContext& context, int pageNumber, int first, int last);

// Puts the gallery scheme, with the page's layout in it, into thumbnail page `page`.
void ThumbnailPageContent(TPageContext& context, TFSC_File& page);

// Puts the image scheme and the image's data into image page `page`.
void ImagePageContent(TPageContext& context, TFSC_File& page);

// Pass 1 for any page: thumbnail pages and image pages get their content, others none.
void PageContent(TPageContext& context, TFSC_File& page);

}  // namespace fsc
