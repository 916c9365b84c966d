// Filling the image list: one file with the image check and the naming rules, many files,
// a whole folder, and pictures from the clipboard or a screen capture saved as JPEG.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "app/ImageListPanel.h"
#include "app/Workspace.h"
#include "base/IProgress.h"
#include "base/TStringList.h"
#include "imaging/TBitmap.h"

namespace fsc {

inline constexpr const char* NoClipboardPictureText = "No image/bitmap image on clipboard.";

// Appends the file as a new image and returns true; a missing file is skipped (false).
// A metafile is taken without loading; any other file must decode completely, otherwise
// the reader's error passes on and the list is unchanged. The new image gets the "Save As"
// name of SaveAsName, made unique by AvoidNameClash, as its name and link, and the file's
// date.
bool AddOneFile(TThumbnailArray& images, const std::string& path);

// The picture dialog's add loop: the progress window "Folioscope. Adding Images." (no
// Abort), files not named like a picture skipped, the others added in the given order.
// Stops at the first file that cannot be decoded; the files before it stay added.
// Pictures are read side by side (ws.Program.WorkerThreads); one that loaded before and has
// not changed since (by ws.CacheFolder's list) is not read again. Returns the number of
// images added.
//   Complete: every picture is read completely.
//   HeaderOnly: for a build that reads every picture completely right away: a JPEG's header
//     is read (other formats completely).
// A failure raises EFSC_Exception "Cannot read the picture "<path>": <the reader's message>".
// With ws.SkipBadPictures a picture that cannot be read is not added but named, with the
// reason, in ws.LeftOutPictures.
enum class TPictureCheck { Complete, HeaderOnly };
int AddImageFiles(Workspace& ws, ImageListPanel& panel, const TStringList& paths,
                  IProgress& progress, TPictureCheck check = TPictureCheck::Complete);

// Every file of the folder that is named like a picture, in name order, but for the files
// galleries wrote there (GalleryWrittenFiles with the workspace's history and cache folders)
// and the directory-tree tool's own (IsTreeToolFile). EUserInputError when the folder does
// not exist.
int AddImageFolder(Workspace& ws, ImageListPanel& panel, const std::string& folder,
                   IProgress& progress, TPictureCheck check = TPictureCheck::Complete);

// The picture dialog hands its files over with its last entry first and its first entry
// last; the ones in between keep their places.
TStringList PictureDialogOrder(const TStringList& chosen);

// Saves the picture as a JPEG with the encoder's default settings under `target` and adds
// that file.
void AddPictureAsJpeg(Workspace& ws, ImageListPanel& panel, const TBitmap& picture,
                      const std::string& target);

// "Add Image from Clipboard": EUserInputError "No image/bitmap image on clipboard." without a
// picture; otherwise `chooseTarget` (the JPEG save dialog) names the file, and nothing is
// added when it returns none. Also the screen capture's path once it has a picture.
void AddClipboardPicture(Workspace& ws, ImageListPanel& panel,
                         const std::optional<TBitmap>& clipboard,
                         const std::function<std::optional<std::string>()>& chooseTarget);

// "Add image by Capturing from the Screen": a cancelled capture (no picture) adds nothing
// without a message; otherwise as the clipboard from the save dialog on.
void AddCapturedPicture(Workspace& ws, ImageListPanel& panel,
                        const std::optional<TBitmap>& captured,
                        const std::function<std::optional<std::string>()>& chooseTarget);

}  // namespace fsc
