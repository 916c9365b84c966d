// File rules shared by the build steps: where outputs go, how they are journalled and
// backed up, and how plain files are copied.
#pragma once

#include <string>

#include "base/TDateTime.h"
#include "engine/TBuildContext.h"

namespace fsc {

// `relative` below the HTML directory. The two are joined as text, so that a relative part
// that starts with a separator still lands inside the HTML directory; '\' separates too.
std::string InHTMLDir(const std::string& htmlDir, const std::string& relative);

// Where copies and thumbnails go, with a final '/': the image directory, or the HTML
// directory itself when the image directory is empty or ".".
std::string ImageTargetDir(const TFSC_HTML& html);

// JournalFile for pages and template files, with the build's backup folder and random source.
void JournalTarget(TBuildContext& context, const std::string& path);

// The journal entry of an image copy or thumbnail about to be written to `path`. An
// existing file is backed up to K.tmp in the copy backup folder (K: the length of the
// backup list) unless this history wrote that path itself. The backup is made and
// recorded before the path joins the created-file list; a failed backup raises and leaves
// the journal as it was.
void JournalImageTarget(TBuildContext& context, const std::string& path);

// True when both name the same file: equal after removing "." and doubled separators, or
// the same file on disk.
bool IsSameFile(const std::string& a, const std::string& b);
// The same, but names that differ only in ASCII case count as equal too.
bool IsSameFileIgnoringCase(const std::string& a, const std::string& b);

// Copies byte for byte under a temporary name that is renamed into place, so a failure
// leaves neither a half-written target nor a damaged older one. Copying a file onto itself
// leaves it alone.
void CopyFileSafely(const std::string& from, const std::string& to);

}  // namespace fsc
