// "--upload", "--sync" and "publish": a built gallery's files sent to an FTP server, driven
// by the command line's own event loop.
#pragma once

#include <string>

#include "app/GalleryToPublish.h"
#include "base/IShell.h"
#include "cli/BuildArguments.h"
#include "cli/ConsoleServices.h"

namespace fsc {

// Sends the gallery from the folder it was built into: the files its newest
// build recorded (else every file of the folder, said in one line) with the target's
// --include and --exclude, never hidden files or links that reach outside the folder;
// pictures first, pages last, the gallery file very last. With Sync only what is new or
// changed, and what an earlier sync sent and the gallery no longer has is deleted. Prints a
// line saying how much went where (unless quiet). EFSC_Exception when the login fails, the
// connection is lost for good, Ctrl+C aborts, a file arrives cut short twice, or the server
// refused a file: a sync records the files that arrived all the same, so running the
// command again sends only the rest.
void SyncGalleryFolder(const TGalleryToPublish& gallery, const TUploadTarget& target,
                       TConsoleProgress& progress, bool quiet);

// With --dry-run, only the plan is printed on stdout ("send PATH", "delete PATH", the
// counts): a sync logs in to read the manifest and the listings, a plain upload does not
// connect at all.
//
// With --www: the gallery's address on stdout (and in the browser with --open).
void PrintGalleryAddress(const TUploadTarget& target, const std::string& htmlFile, IShell& shell);

}  // namespace fsc
