// Making one picture's copy and thumbnail from one read of its source.
#include "engine/ImageFiles.h"

#include <algorithm>
#include <cstddef>
#include <optional>

#include "base/Files.h"
#include "engine/ImageCopyPicture.h"
#include "engine/SourcePicture.h"
#include "engine/ThumbnailPicture.h"
#include "imaging/ExifBlock.h"
#include "imaging/HeaderPictureBytes.h"
#include "imaging/JpegWriter.h"
#include "imaging/LocationRemoval.h"
#include "imaging/PictureExif.h"

namespace fsc {

namespace {

// A picture in another format than JPEG is decoded whole as it is opened, so its memory is taken
// first, as its header tells it (the whole budget, to be read alone, when the header cannot say),
// and kept while its copy and thumbnail are made from it.
std::optional<TMemoryBudget::TShare> ReserveWholePicture(const std::string& fileName,
                                                         TMemoryBudget& memory) {
    if (IsJpegFileName(fileName)) return std::nullopt;
    const std::uint64_t bytes = HeaderPictureBytesOf(fileName);
    return memory.Take(bytes != 0 ? std::size_t(bytes) : PictureMemoryBudget);
}

TSize Larger(TSize a, TSize b) {
    return {std::max(a.Width, b.Width), std::max(a.Height, b.Height)};
}

// The size a decode must reach so that `target` can be made from it: the classic resize
// samples the whole picture, so only the whole picture gives the bytes it always gave.
TSize DecodeTarget(const TFSC_Images& images, TSize target, TSize whole) {
    return images.ResizeMethod == TResizeMethod::Classic ? whole : target;
}

// The decoder's own memory, and the decoded picture: a scaled decode is less than twice the
// asked size in each direction, and never more than the whole picture.
std::size_t DecodeMemory(const TSourcePicture& source, TSize atLeast) {
    const TSize whole = source.Size();
    const std::size_t wholeBytes = std::size_t(whole.Width) * std::size_t(whole.Height) * 3;
    const std::size_t scaledBytes =
        std::size_t(std::max(atLeast.Width, 1)) * std::size_t(std::max(atLeast.Height, 1)) * 12;
    return source.DecodeBytes() + std::min(wholeBytes, scaledBytes);
}

void SizeThumbnail(TImageFiles& files, const TFSC_Images& images, TSize source) {
    files.ImageSize = source;
    files.ThumbSize = ThumbnailSize(images.ThumbSizeMode, source.Width, source.Height,
                                    images.ThumbWidth, images.ThumbHeight);
}

// The thumbnail and its extra files from the source decoded at their largest size or more.
void MakeThumbnail(TImageFiles& files, const TBitmap& decoded,
                   const std::vector<TVariant>& variants, const TFSC_Images& images, int quality) {
    const TBitmap thumbnail = ThumbnailPictureFrom(decoded, files.ThumbSize, images);
    files.ThumbJpeg = EncodeJpeg(thumbnail, quality, false);
    files.ThumbVariants = MakeThumbVariants(decoded, thumbnail, variants, quality, images);
}

// A copy that replaces its source: the thumbnail shows the copy, read back as it was written.
void ThumbnailFromCopy(TImageFiles& files, const TImageJob& job, const TFSC_Images& images) {
    TSourcePicture written(job.FileName, files.CopyJpeg);
    SizeThumbnail(files, images, written.Size());
    if (!job.MakeThumb) return;
    const std::vector<TVariant> variants = ThumbVariants(images, job.ThumbName, written.Size());
    const TSize largest = Larger(files.ThumbSize, LargestVariant(variants));
    const TBitmap picture = written.Picture(DecodeTarget(images, largest, written.Size()));
    MakeThumbnail(files, picture, variants, images, job.ThumbQuality);
}

TPhotoData PhotoFrom(const TExifBlock& block, const TFSC_Images& images) {
    TPhotoData photo = block.PhotoData();
    if (images.RemoveLocation) photo.Gps.clear();
    return photo;
}

// The block an encoded copy carries: its pixels are upright and may be smaller, and the
// camera's preview would show the original.
std::string CopyExif(TExifBlock& block, const TFSC_Images& images, const TBitmap& copy) {
    TExifChanges changes;
    changes.Upright = true;
    changes.DropThumbnail = true;
    changes.RemoveLocation = images.RemoveLocation;
    changes.Width = copy.Width;
    changes.Height = copy.Height;
    return block.Rewritten(changes);
}

// A byte copy that would publish the photo's position becomes the source's bytes with the
// position taken out; the picture data is not touched.
void TakeOutLocation(TImageFiles& files, const TImageJob& job, const TFSC_Images& images) {
    // An original that is its own copy is the user's file: it keeps what it holds.
    if (!images.RemoveLocation || job.CopyOverSource) return;
    std::string bytes = ReadFileBytes(job.FileName);
    if (!RemoveLocationData(bytes)) return;
    files.CopyIsSourceBytes = false;
    files.CopyJpeg = std::move(bytes);
}

}  // namespace

TPhotoData ReadPhotoData(const std::string& fileName, const TFSC_Images& images) {
    const TExifBlock block(ReadPictureExif(fileName));
    return PhotoFrom(block, images);
}

TImageFiles MakeImageFiles(const TImageJob& job, const TFSC_Images& images,
                           TImageServices& services) {
    TImageFiles files;
    files.Source = FileStampOf(job.FileName);
    const std::optional<TMemoryBudget::TShare> wholeMemory =
        ReserveWholePicture(job.FileName, services.Memory);
    TSourcePicture source(job.FileName, files.Notices);
    const std::string exif = ReadPictureExif(job.FileName);
    TExifBlock block(exif);
    files.Photo = PhotoFrom(block, images);
    const TSize whole = source.Size();
    const TSize copySize = CopySize(images, whole);
    const bool adjust = bool(services.AdjustCompression);
    const bool encodeCopy =
        job.MakeCopy && (!IsJpegName(job.FileName) || CopyIsModified(images, whole) || adjust);
    files.CopyIsSourceBytes = job.MakeCopy && !encodeCopy;
    files.CopySettings = job.Copy;
    if (files.CopyIsSourceBytes) TakeOutLocation(files, job, images);
    const bool thumbFromCopy = job.CopyOverSource && encodeCopy;
    const bool thumbFromSource = job.MakeThumb && !thumbFromCopy;
    if ((job.MakeThumb || job.MeasureOnly) && !thumbFromCopy) SizeThumbnail(files, images, whole);
    // The copy's picture is also made for its extra files when its bytes are the source's. A
    // copy written over its source leaves the folder the user's: nothing is put beside it.
    const std::vector<TVariant> copyVariants = job.MakeCopy && !job.CopyOverSource
                                                   ? CopyVariants(images, job.CopyName, copySize)
                                                   : std::vector<TVariant>();
    const std::vector<TVariant> thumbVariants =
        thumbFromSource ? ThumbVariants(images, job.ThumbName, whole) : std::vector<TVariant>();
    const bool makeCopy = encodeCopy || !copyVariants.empty();
    if (!makeCopy && !thumbFromSource) return files;

    TSize atLeast;
    if (makeCopy) atLeast = Larger(atLeast, DecodeTarget(images, copySize, whole));
    if (thumbFromSource) {
        const TSize largest = Larger(files.ThumbSize, LargestVariant(thumbVariants));
        atLeast = Larger(atLeast, DecodeTarget(images, largest, whole));
    }
    const TMemoryBudget::TShare memory = services.Memory.Take(DecodeMemory(source, atLeast));
    TBitmap decoded = source.Picture(atLeast);
    // The thumbnail first: the copy may take the decoded picture over and stamp it.
    if (thumbFromSource) MakeThumbnail(files, decoded, thumbVariants, images, job.ThumbQuality);
    if (!makeCopy) return files;
    const TBitmap copy = CopyPictureFrom(std::move(decoded), copySize, images, services.Rasteriser);
    if (adjust) files.CopySettings = services.AdjustCompression(copy);
    if (encodeCopy) {
        files.CopyJpeg =
            EncodeJpeg(copy, files.CopySettings.Quality, files.CopySettings.Progressive,
                       exif.empty() ? std::string() : CopyExif(block, images, copy));
    }
    files.CopyVariants = MakeCopyVariants(copy, copyVariants, files.CopySettings.Quality, images);
    if (thumbFromCopy) ThumbnailFromCopy(files, job, images);
    return files;
}

std::string CopySettingsKey(const TFSC_Images& images, const TJpegSettings& jpeg) {
    std::string key = "copy resize=" + std::to_string(images.ResizeImages) + "," +
                      std::to_string(images.ResizeWidth) + "," +
                      std::to_string(images.ResizeHeight) +
                      " quality=" + std::to_string(jpeg.Quality) +
                      " progressive=" + std::to_string(jpeg.Progressive) +
                      " method=" + std::to_string(int(images.ResizeMethod)) +
                      " watermark=" + std::to_string(images.Watermark) +
                      " exif=kept location=" + (images.RemoveLocation ? "removed" : "kept");
    if (!images.Watermark) return key;
    const TFontSpec& font = images.WatermarkFont;
    key += " font=" + font.Name + "," + std::to_string(font.Size) + "," + std::to_string(font.Red) +
           "," + std::to_string(font.Green) + "," + std::to_string(font.Blue) + "," +
           std::to_string(font.Bold) + std::to_string(font.Italic) +
           std::to_string(font.Underline) + std::to_string(font.StrikeOut) +
           " adjust=" + std::to_string(images.WatermarkAdjustSize) +
           " transparency=" + std::to_string(images.WatermarkTransparency) + " positions=";
    for (bool on : images.WatermarkPositions) key += on ? '1' : '0';
    key += " text=";
    for (const std::string& line : images.WatermarkText) key += line + '\n';
    return key;
}

std::string ThumbSettingsKey(const TFSC_Images& images, int method, int quality) {
    return "thumb box=" + std::to_string(images.ThumbWidth) + "x" +
           std::to_string(images.ThumbHeight) + " method=" + std::to_string(method) +
           " quality=" + std::to_string(quality) +
           " resize=" + std::to_string(int(images.ResizeMethod));
}

}  // namespace fsc
