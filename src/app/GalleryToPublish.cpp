// Which gallery a publish sends, and from where.
#include "app/GalleryToPublish.h"

#include <filesystem>

#include "base/Paths.h"
#include "engine/GalleryOutputs.h"
#include "engine/TFSC_HTML.h"

namespace fsc {

namespace {

// "" for the folder itself: a gallery of pictures only has no page of its own.
std::string PathBelow(const std::string& folder, const std::string& path) {
    const auto absolute = [](const std::string& name) {
        return std::filesystem::absolute(name).lexically_normal();
    };
    const std::string below = absolute(path).lexically_relative(absolute(folder)).generic_string();
    return below == "." ? std::string() : below;
}

}  // namespace

TGalleryToPublish GalleryToPublish(const std::string& htmlDir, const std::string& galleryFile,
                                   const ProgramOptions& options,
                                   const std::string& historyFolder) {
    TGalleryToPublish gallery;
    gallery.HTMLDir = htmlDir;
    gallery.GalleryFile = galleryFile;
    gallery.TopPage = PathBelow(htmlDir, galleryFile);
    gallery.PageExtensions = options.HTMLExt;
    gallery.PageExtensions.push_back(options.DefaultHTMLExt);
    gallery.HistoryFolder = historyFolder;
    return gallery;
}

std::optional<TGalleryToPublish> LastBuiltGallery(const Workspace& ws) {
    const TFSC_HTML* built = ws.LastHTML.get();
    if (!built || (built->Files.empty() && !built->NoHTML)) return std::nullopt;
    const std::string galleryFile = JoinPath(built->HTMLDir, ToInternalPath(ws.LastHTMLFile));
    return GalleryToPublish(built->HTMLDir, galleryFile, ws.Program, ws.HistoryFolder);
}

std::optional<TStringList> RecordedOutputs(const TGalleryToPublish& gallery) {
    if (gallery.HistoryFolder.empty()) return std::nullopt;
    return GalleryOutputs(gallery.HistoryFolder, gallery.GalleryFile);
}

}  // namespace fsc
