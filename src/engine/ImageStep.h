// Steps 2 and 3 of a build: the JPEG copy and the thumbnail of every image in the image
// directory, made side by side and written in list order.
#pragma once

#include "engine/TBuildContext.h"

namespace fsc {

inline constexpr const char* NoReadablePicturesText =
    "None of the pictures could be read: there is no gallery to build.";

inline constexpr const char* OverwriteOriginalStatement =
    "Warning: An original image will be overwritten by resized smaller image or image with "
    "watermark.";
inline constexpr const char* OverwriteOriginalQuestion =
    "Are you sure? Press yes, if all original images shall be overwritten. No, if those images "
    "should not be changed.";

// For each image in list order, on the calling thread: Link reset to Name; the first time a
// copy would replace its own source the overwrite question is asked, once per step; then
// what is out of date is decided: the copy (NeedsCopy, or with an image cache the cache's
// word) and the thumbnail (its cache rule, or the cache), named ThumbName. Worker threads
// (context.Jobs; one with "let me adjust the compression/quality for each image", whose
// dialog runs on the calling thread) read each source once and make both. The calling thread
// takes the results in list order: progress "Folioscope: Copying Images. i of n", the cancel
// check, then the copy (encoded, or the source's own bytes for an unmodified JPEG) and the
// thumbnail, each with the extra files the pages ask for (PictureVariants.h; a missing one has
// its copy or thumbnail made again), are journalled, with an overwritten file backed up
// first, and written.
// Abort stops handing out pictures, lets running ones finish, undoes the build and raises
// "Folioscope Creation aborted and undone.". Any other error raises naming the picture,
// after the pictures before it were written; the journal stays complete for undo. With
// SkipBadPictures, a picture that cannot be read is named in the journal's LeftOut list and
// taken out of the list instead; when none remains, NoReadablePicturesText is raised.
// The image cache of the image directory is saved at the end, also after an error.
void CopyImagesAndThumbnails(TBuildContext& context);

}  // namespace fsc
