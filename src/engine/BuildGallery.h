// The gallery build: image copies, thumbnails and pages from the image list and settings.
#pragma once

#include "engine/TBuildContext.h"

namespace fsc {

// Checks the input before anything is written (an image list, an HTML directory, image
// names that stay in the image directory, rows and columns of at least 1, template targets
// inside the HTML directory), then runs, in this order:
//   1. CopyTemplateFiles: HTML and image directories, the image directory spelling
//      question, plain template files;
//   2. CopyImagesAndThumbnails: the image copies, with the overwrite-original question and
//      the compression dialog, and the thumbnails, made side by side from one read of each
//      picture;
//   3. CreateHTML: the pages, unless NoHTML.
// Every file is journalled before it is written, and a file it replaces is backed up first
// (pages and template files to N.tmp in BackupFolder, copies and thumbnails to K.tmp in
// CopyBackupFolder); a backup that fails stops the build before that file is touched.
// The progress window shows "Folioscope." first and each step's captions, and is hidden at
// the end. Its Abort sets Images.Abort; the next check undoes the whole history and raises
// EFSC_Exception "Folioscope Creation aborted and undone.". Any other error (an unreadable
// image, a full disk, a file where a folder must go) passes on naming the file; the files
// written until then stay on disk and in the journal, so Undo removes them and restores
// what they replaced.
void BuildGallery(TBuildContext& context);

}  // namespace fsc
