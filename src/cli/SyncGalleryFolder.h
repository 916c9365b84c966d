// "--sync" and "publish": a built gallery's folder synced with its copy on an FTP server,
// driven by the command line's own event loop.
#pragma once

#include <string>

#include "base/IShell.h"
#include "cli/BuildArguments.h"
#include "cli/ConsoleServices.h"

namespace fsc {

// Sends what is new or changed in `htmlDir`, deletes on the server what an earlier sync sent
// and the gallery no longer has, and prints a line saying how much went where (unless
// quiet). EFSC_Exception when the login fails, the connection is lost for good, Ctrl+C
// aborts, or the server refused a file: the files that arrived are recorded all the same,
// so running the command again sends only the rest.
void SyncGalleryFolder(const std::string& htmlDir, const TUploadTarget& target,
                       TConsoleProgress& progress, bool quiet);

// With --www: the synced gallery's address on stdout (and in the browser with --open), as
// the upload shows it.
void PrintGalleryAddress(const TUploadTarget& target, const std::string& htmlFile, IShell& shell);

}  // namespace fsc
