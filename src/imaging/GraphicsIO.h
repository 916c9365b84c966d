// The one door for reading pictures: image names, loading, testing a file, the open filter.
#pragma once

#include <string>

#include "imaging/TBitmap.h"
#include "imaging/TPictureFormats.h"

namespace fsc {

class IMessages;

// The entry of the save dialog; every picture the program writes is JPEG.
inline constexpr const char* JpegSaveFilter = "JPEG encoded (*.jpg)|*.jpg";

// The process's registry: the built-in readers, and the plug-in modules once
// RegisterPicturePlugins has run.
TPictureFormats& PictureFormats();

// Start-up: registers the modules of the plug-in folder, then returns the
// open-picture filter.
std::string RegisterPicturePlugins();

// "All images (...)|...", every reader's own entry, then the metafile entry.
std::string OpenPictureFilter(const TPictureFormats& formats = PictureFormats());

// True for names ending, in any case, in .bmp .jpg .jpeg .jp2 .jpc .png .wmf .emf .ico .gif
// .tif .tiff .webp .heic .heif .avif .cr2 .nef .arw or .dng: what a folder add takes.
bool IsImageName(const std::string& name);
// A camera raw file by its name (.cr2 .nef .arw .dng in any case), read through its preview.
bool IsRawName(const std::string& name);
// ".wmf" or ".emf" in any case: drawn by the metafile renderer, not a registry reader.
bool IsMetafileName(const std::string& name);

// Reads any supported file into a new picture. Throws EFSC_Exception "No file
// name" for an empty name, "Unsupported file format" when no reader handles the
// extension, and the reader's own message for a file it cannot decode. Notices
// about a picture loaded only in part go to messages as plain messages.
TBitmap LoadPicture(const std::string& name, IMessages* messages = nullptr);
TBitmap LoadPicture(const TPictureFormats& formats, const std::string& name,
                    IMessages* messages = nullptr);

// False when the file does not exist; true for a metafile name without
// reading it; otherwise reads the whole file and returns true. A read failure
// is passed on as the reader's exception, after the box "Not a valid image!"
// (caption "Error Occured", "OK" and "Cancel") when report is set.
bool IsValidImage(const std::string& name, bool report, IMessages* messages);
bool IsValidImage(const TPictureFormats& formats, const std::string& name, bool report,
                  IMessages* messages);

}  // namespace fsc
