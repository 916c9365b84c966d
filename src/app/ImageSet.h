// Image set files (".set"): the image list with every per-image text, written with the
// images' paths or with JPEG copies in the set's companion folder, and read back.
#pragma once

#include <string>

#include "base/IProgress.h"
#include "engine/TThumbnail.h"

namespace fsc {

// One line of blocks, the last image's first, each field as "<#THUMB" i name "#>" value
// "<#THUMB" i name "END#>", the FileName field carrying the source path; CR LF at the end.
void WriteImageSetInfos(const TThumbnailArray& images, const std::string& path);

// Every image as a JPEG in path + ".dir" under its name (with the progress texts
// "Folioscope. Saving images. K of N"), unless its file already is that copy: a JPEG file
// copied byte for byte, any other picture encoded at quality 95. Each image's FileName then
// points at its copy. Then the blocks, the last image's first, each
// followed by CR LF and carrying the name in its FileName field, and "<#useDir#>".
// Refuses, before writing anything, an image whose name is not a plain file name
// (EUserInputError naming the image), so no copy lands outside the folder. A different
// picture whose name another one holds is renamed to the next free name of the adding
// clash rule (its link too, when it named the picture), so no copy overwrites another.
void WriteImageSetWithImages(TThumbnailArray& images, const std::string& path, IProgress& progress);

// Reads the set at `path` into a new list: the count from the leading tag, then images 0
// to N in order, each from its file (or from the set's folder when the set was written
// with images and the copy is there). Files that do not exist are skipped; the others go
// through the image check and the naming rules, then take the set's values. A text
// without "<#THUMB" yields no images. A damaged set (no count, a missing tag, a name that
// is not a plain file name, a picture that cannot be read) raises EUserInputError naming
// the file and nothing is returned, so a caller appends all or nothing.
TThumbnailArray ReadImageSet(const std::string& path, IProgress& progress);

// "Add Set of images": ReadImageSet appended to the list.
void AddImageSet(TThumbnailArray& images, const std::string& path, IProgress& progress);

}  // namespace fsc
