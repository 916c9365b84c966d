// Before a build writes anything, every picture gets output files no other picture of the
// gallery writes: image lists, image sets and projects may hold equal names, names equal
// but for case (one file on a case-insensitive disk or server), or names too long for the
// file system once the thumbnail suffix or the image page's "image_" is added.
#pragma once

#include <string>
#include <vector>

#include "engine/TFSC_HTML.h"
#include "engine/TFSC_Images.h"
#include "engine/TThumbnail.h"

namespace fsc {

// A name that keeps every output file (copy, thumbnail, image page) of a picture within
// the file system's 255 bytes: unchanged when it fits, else its stem cut and "_" + 8 hex
// digits of a hash of the whole name added before the extension.
std::string FittingName(const std::string& name, const TFSC_Images& images, const TFSC_HTML& html);

// Names that clash, compared without regard to ASCII case with every output file of every
// other picture, or that do not fit, are changed; the first picture keeps a name that is
// free. A clash takes the image list's rule, stem + "_" + n + extension, counting from 2.
// Names that neither clash nor are too long stay exactly as they are. Returns one warning
// line per renamed picture.
std::vector<std::string> GiveOwnOutputNames(TThumbnailArray& thumbs, const TFSC_Images& images,
                                            const TFSC_HTML& html);

}  // namespace fsc
