// Step 2 of a build: a JPEG copy of every image in the image directory.
#pragma once

#include "engine/TBuildContext.h"

namespace fsc {

inline constexpr const char* OverwriteOriginalStatement =
    "Warning: An original image will be overwritten by resized smaller image or image with "
    "watermark.";
inline constexpr const char* OverwriteOriginalQuestion =
    "Are you sure? Press yes, if all original images shall be overwritten. No, if those images "
    "should not be changed.";

// For each image in list order: progress "Folioscope: Copying Images. i of n", Link reset
// to Name, the cancel check, then the copy is (re)made when NeedsCopy holds: loaded,
// shrunk, watermarked, encoded at Q (or the compression dialog's choice) or, for an
// unmodified JPEG source, copied byte for byte. The first time a copy would replace its own
// source the overwrite question is asked, once per step. Each write is journalled after an
// overwritten file was backed up; a failure raises naming the file and leaves the journal
// complete for undo.
void CopyImages(TBuildContext& context);

}  // namespace fsc
