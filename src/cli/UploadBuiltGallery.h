// "--upload": the gallery just built sent to an FTP server by the FTP window's job queue,
// driven by the command line's own event loop.
#pragma once

#include <string>

#include "app/Workspace.h"
#include "base/IAsk.h"
#include "base/IMessages.h"
#include "base/IShell.h"
#include "cli/BuildArguments.h"
#include "cli/ConsoleServices.h"
#include "ftp/GalleryUpload.h"

namespace fsc {

struct TUploadServices {
    IAsk& Ask;
    IShell& Shell;
    IMessages& Messages;
    TConsoleProgress& Progress;
};

// The upload's input from the last build: its pages, the image list, the collage pictures
// and the template's plain files.
TGalleryUpload GalleryUploadOf(const Workspace& ws, const TUploadTarget& target);

// What the user can do about a failed encrypted login, in this program's options.
std::string TlsAdvice(int error, const std::string& fingerprint);
// The password from FOLIOSCOPE_FTP_PASSWORD, else asked without echo on a terminal;
// EUserInputError when there is neither.
std::string FtpPassword();

// Logs in, sends the gallery (the upload job list of the FTP window) and logs out. Raises
// EFSC_Exception when the login fails, the connection breaks, a local file cannot be read,
// Ctrl+C aborts, or the server refused any file or folder: unlike the window, whose listing shows what
// arrived, a script has only the exit status to go by.
void UploadBuiltGallery(const Workspace& ws, const TUploadTarget& target,
                        const TUploadServices& services);

}  // namespace fsc
