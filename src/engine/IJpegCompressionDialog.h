// The per-image JPEG compression dialog as the build sees it; the GUI shows the real one.
#pragma once

#include "imaging/JpegQuality.h"
#include "imaging/TBitmap.h"

namespace fsc {

// Which button closed the dialog: "OK", "Cancel" or "OK, use for all images.".
enum class TCompressionResult { OK, Cancel, All };

struct TCompressionChoice {
    TCompressionResult Result = TCompressionResult::OK;
    // The quality and encoding of the last preview, whatever the button.
    TJpegSettings Settings;
};

class IJpegCompressionDialog {
public:
    virtual ~IJpegCompressionDialog() = default;
    // Shows the dialog modally for one image copy.
    virtual TCompressionChoice Execute(const TBitmap& picture) = 0;
};

}  // namespace fsc
