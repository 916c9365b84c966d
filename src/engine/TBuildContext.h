// Everything one gallery build reads, writes and asks: the model, the journal and the
// services of the outside world.
#pragma once

#include <string>

#include "base/IAsk.h"
#include "base/IClock.h"
#include "base/IMessages.h"
#include "base/IProgress.h"
#include "base/IRandom.h"
#include "base/ITextRasteriser.h"
#include "engine/IJpegCompressionDialog.h"
#include "engine/TBuildJournal.h"
#include "engine/TFSC_HTML.h"
#include "engine/TFSC_Images.h"
#include "engine/TTemplate.h"
#include "engine/TThumbnail.h"

namespace fsc {

struct TBuildServices {
    IAsk& Ask;
    IProgress& Progress;
    IClock& Clock;
    IRandom& Random;
    // Draws the watermark's text picture.
    ITextRasteriser& Rasteriser;
    IJpegCompressionDialog& CompressionDialog;
    // Notices about pictures loaded only in part; none when null.
    IMessages* Messages = nullptr;
};

struct TBuildContext {
    TThumbnailArray& Thumbs;
    TFSC_Images& Images;
    TFSC_HTML& HTML;
    TTemplate& Template;
    TBuildJournal& Journal;
    TBuildServices Services;
    // The program option "Default JPEG compression", 5..100.
    int DefaultCompression = 50;
    // Backups of overwritten pages and template files, named N.tmp; emptied at exit
    // (normally TempFolder()).
    std::string BackupFolder;
    // Backups of overwritten image copies and thumbnails, named K.tmp; only undo removes
    // them (normally StateFolder()).
    std::string CopyBackupFolder;
    // Where the image cache of each image folder is kept, so that a later process skips
    // unchanged copies and thumbnails; none when empty.
    std::string CacheFolder;
    // Threads making copies and thumbnails side by side; 0 is one per core.
    int Jobs = 1;
};

}  // namespace fsc
