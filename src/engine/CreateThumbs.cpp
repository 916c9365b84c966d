// The thumbnail step.
#include "engine/CreateThumbs.h"

#include "base/Files.h"
#include "engine/BuildFiles.h"
#include "engine/CancelBuild.h"
#include "engine/ThumbnailPicture.h"
#include "imaging/JpegQuality.h"

namespace fsc {

std::string ThumbnailName(const std::string& name, const std::string& suffix,
                          bool imagesAreThumbs) {
    if (imagesAreThumbs) return name;
    const std::string stem = name.substr(0, name.size() < 4 ? 0 : name.size() - 4);
    return stem + (suffix.empty() ? "_th" : suffix) + ".jpg";
}

bool ThumbnailIsCurrent(const TThumbnail& thumb, const TFSC_Images& images, int method, int quality,
                        bool fileExists) {
    return fileExists && thumb.ThumbTime > 0 && thumb.ThumbBoxWidth == images.ThumbWidth &&
           thumb.ThumbBoxHeight == images.ThumbHeight && thumb.ThumbMethod == method &&
           thumb.ThumbQuality == quality;
}

namespace {

void MakeThumbnailFile(TBuildContext& context, TThumbnail& thumb, const std::string& path,
                       int method, int quality) {
    const TFSC_Images& images = context.Images;
    const bool write = !images.ImagesAreThumbs;
    const TThumbnailPicture picture =
        MakeThumbnail(thumb.FileName, images, quality, write, context.Services.Messages);
    thumb.ImageWidth = picture.ImageWidth;
    thumb.ImageHeight = picture.ImageHeight;
    thumb.ThumbWidth = picture.Size.Width;
    thumb.ThumbHeight = picture.Size.Height;
    if (!write) return;
    JournalImageTarget(context, path, thumb.ThumbTime);
    WriteFileBytes(path, picture.Jpeg);
    thumb.ThumbTime = context.Services.Clock.Now();
    thumb.ThumbBoxWidth = images.ThumbWidth;
    thumb.ThumbBoxHeight = images.ThumbHeight;
    thumb.ThumbMethod = method;
    thumb.ThumbQuality = quality;
}

}  // namespace

void CreateThumbs(TBuildContext& context) {
    TFSC_Images& images = context.Images;
    images.Abort = false;
    const std::string targetDir = ImageTargetDir(context.HTML);
    const int count = static_cast<int>(context.Thumbs.size());
    const int method = ThumbMethodCode(images.ThumbSizeMode);
    const int quality = ThumbnailQuality(images.ThumbQualityLevel, context.DefaultCompression);
    if (images.ThumbSuffix.empty()) images.ThumbSuffix = "_th";
    for (int i = 0; i < count; ++i) {
        context.Services.Progress.Update(
            0, i,
            "Folioscope: Create Thumbs. " + std::to_string(i) + " of " + std::to_string(count),
            count);
        CheckBuildAbort(context);
        TThumbnail& thumb = context.Thumbs[i];
        thumb.ThumbName = ThumbnailName(thumb.Name, images.ThumbSuffix, images.ImagesAreThumbs);
        const std::string path = targetDir + thumb.ThumbName;
        if (ThumbnailIsCurrent(thumb, images, method, quality, FileExists(path))) continue;
        MakeThumbnailFile(context, thumb, path, method, quality);
    }
}

}  // namespace fsc
