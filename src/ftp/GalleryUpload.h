// Publishing a built gallery: the job list that sends every written file to the server
// with the folder layout it has on disk, then opens the gallery's address.
#pragma once

#include <string>
#include <vector>

#include "base/TStringList.h"

namespace fsc {

class TFtpJobQueue;

// One written page: its name, the folder below the HTML directory ("" for the base folder),
// its thumbnail page number (above 0 for thumbnail pages) and its image number (above 0
// for image pages, which lie in the image directory).
struct TUploadPage {
    std::string FileName, SubDir;
    int PageNumber = 0, ImageNumber = 0;
};

// One image of the image list: the copy's and the thumbnail's file names.
struct TUploadImage {
    std::string Name, ThumbName;
};

// A plain file the template copies: its target folder ("" for the base) and name.
struct TUploadCopyFile {
    std::string SubDir, FileName;
};

// Everything an upload reads, filled by the caller from the last build and the window.
struct TGalleryUpload {
    std::string SubDir;    // remote subdirectory to upload into; "" for the current one
    std::string HTMLDir;   // the local gallery folder
    std::string ImageDir;  // image directory name below it; "" when the images lie beside the pages
    std::string HTMLFile;  // the gallery file name
    std::vector<TUploadPage> Pages;
    std::vector<TUploadImage> Images;
    std::vector<std::string> ExtraImages;  // collage pictures, full paths
    std::vector<TUploadCopyFile> CopyFiles;
    std::string WWWAddress;  // of the profile in use
    std::string RemotePath;  // the current remote path when "Upload" is pressed
};

// The address a browser finds the uploaded gallery file at: the WWW address, the remote
// path, the subdirectory and the gallery file name.
std::string GalleryAddress(const TGalleryUpload& upload);

// The job lines in upload order. Names that do not exist in their local folder (entries
// without an image file) are left out instead of ending the upload.
TStringList GalleryUploadJobs(const TGalleryUpload& upload);

// "Upload": nothing while the queue works; EUserInputError when not connected or when no
// gallery was built in this run (`upload` null); else enters the HTML directory, queues
// the jobs and starts them.
void UploadGallery(TFtpJobQueue& queue, const TGalleryUpload* upload);

}  // namespace fsc
