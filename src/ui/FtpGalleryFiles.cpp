// The last build's gallery as the FTP window sends it.
#include "ui/FtpGalleryFiles.h"

#include "base/Paths.h"
#include "engine/TFSC_HTML.h"
#include "ftp/PublishedFiles.h"

namespace fsc {

namespace {

std::string WithoutTrailingSeparators(std::string path) {
    while (!path.empty() && IsPathSeparator(path.back())) path.pop_back();
    return path;
}

}  // namespace

std::optional<TGalleryUpload> LastGalleryUpload(const Workspace& ws) {
    const std::optional<TGalleryToPublish> gallery = LastBuiltGallery(ws);
    if (!gallery) return std::nullopt;
    TGalleryUpload upload;
    upload.HTMLDir = gallery->HTMLDir;
    upload.ImageDir = WithoutTrailingSeparators(ToInternalPath(ws.LastHTML->ImageDir));
    upload.HTMLFile = gallery->TopPage;
    for (const TFSC_File& page : ws.LastHTML->Files)
        upload.Pages.push_back({page.FileName, page.SubDir, page.PageNumber, page.ImageNumber});
    for (const TThumbnail& image : ws.Images)
        upload.Images.push_back({image.Name, image.ThumbName});
    upload.ExtraImages.assign(ws.Journal.ExtraImages.begin(), ws.Journal.ExtraImages.end());
    for (const TTemplateFile& file : ws.Template.CopyFiles)
        upload.CopyFiles.push_back({file.SubDir, file.FileName});
    return upload;
}

std::vector<TSyncFile> GallerySyncFiles(const TGalleryToPublish& gallery) {
    TPublishChoice choice;
    choice.TopPage = gallery.TopPage;
    choice.PageExtensions = gallery.PageExtensions;
    return PublishedFiles(gallery.HTMLDir, RecordedOutputs(gallery), choice).Files;
}

}  // namespace fsc
