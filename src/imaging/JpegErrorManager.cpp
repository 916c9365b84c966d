// The libjpeg error manager of reader and writer: an error jumps back instead of exiting.
#include "imaging/JpegErrorManager.h"

#include <jerror.h>

#include <cstring>

namespace fsc {

namespace {

bool MeansLostData(int code) {
    return code == JWRN_JPEG_EOF || code == JWRN_HIT_MARKER || code == JWRN_HUFF_BAD_CODE;
}

extern "C" void ErrorExitJumpBack(j_common_ptr cinfo) {
    auto* manager = reinterpret_cast<JpegErrorManager*>(cinfo->err);
    manager->ErrorCode = cinfo->err->msg_code;
    (*cinfo->err->format_message)(cinfo, manager->Message);
    std::longjmp(manager->JumpBack, 1);
}

// Level -1 is a warning about corrupt data; levels 0 and up are trace output,
// which we do not want on stderr.
extern "C" void EmitMessageQuietly(j_common_ptr cinfo, int msgLevel) {
    auto* manager = reinterpret_cast<JpegErrorManager*>(cinfo->err);
    if (msgLevel >= 0) return;
    if (manager->StopOnDataLoss && MeansLostData(cinfo->err->msg_code)) ErrorExitJumpBack(cinfo);
    if (manager->WarningCount == 0) {
        manager->FirstWarningCode = cinfo->err->msg_code;
        (*cinfo->err->format_message)(cinfo, manager->FirstWarning);
    }
    manager->WarningCount++;
    cinfo->err->num_warnings++;
}

extern "C" void OutputMessageNowhere(j_common_ptr) {}

}  // namespace

jpeg_error_mgr* InitJpegErrorManager(JpegErrorManager& manager) {
    std::memset(&manager, 0, sizeof manager);
    jpeg_std_error(&manager.Pub);
    manager.Pub.error_exit = ErrorExitJumpBack;
    manager.Pub.emit_message = EmitMessageQuietly;
    manager.Pub.output_message = OutputMessageNowhere;
    return &manager.Pub;
}

std::string JpegErrorText(const JpegErrorManager& manager) {
    if (manager.Message[0] != '\0') return manager.Message;
    return "JPEG error";
}

}  // namespace fsc
