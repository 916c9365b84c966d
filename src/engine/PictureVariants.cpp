// Names and sizes of the extra files of a picture.
#include "engine/PictureVariants.h"

#include <algorithm>

#include "base/Paths.h"
#include "engine/ThumbnailPicture.h"

namespace fsc {

namespace {

std::string FormatExtension(TVariantFormat format, const std::string& name) {
    switch (format) {
        case TVariantFormat::Webp:
            return ".webp";
        case TVariantFormat::Avif:
            return ".avif";
        case TVariantFormat::Jpeg:
            break;
    }
    return ExtractFileExt(name);
}

bool Fits(TSize inner, TSize outer) {
    return inner.Width <= outer.Width && inner.Height <= outer.Height;
}

// The WebP and AVIF files of each JPEG in `jpegs`, in that order, as the settings ask.
void AddFormats(const TVariantChoice& choice, const std::vector<TVariant>& jpegs,
                std::vector<TVariant>& out) {
    for (const TVariantFormat format : {TVariantFormat::Webp, TVariantFormat::Avif}) {
        if (format == TVariantFormat::Webp && !choice.Webp) continue;
        if (format == TVariantFormat::Avif && !choice.Avif) continue;
        for (const TVariant& jpeg : jpegs) {
            TVariant variant = jpeg;
            variant.Format = format;
            variant.Name = ChangeFileExt(jpeg.Name, FormatExtension(format, jpeg.Name));
            out.push_back(variant);
        }
    }
}

}  // namespace

std::string VariantName(const std::string& name, const std::string& tag, TVariantFormat format) {
    const std::string ext = ExtractFileExt(name);
    const std::string stem = name.substr(0, name.size() - ext.size());
    return stem + (tag.empty() ? "" : "-" + tag) + FormatExtension(format, name);
}

const char* VariantMimeType(TVariantFormat format) {
    switch (format) {
        case TVariantFormat::Webp:
            return "image/webp";
        case TVariantFormat::Avif:
            return "image/avif";
        case TVariantFormat::Jpeg:
            break;
    }
    return "image/jpeg";
}

std::vector<TVariant> CopyStepVariants(const std::string& name, TSize copy) {
    std::vector<TVariant> steps;
    if (copy.Width <= 0 || copy.Height <= 0) return steps;
    for (const int side : CopyStepSides) {
        if (side >= std::max(copy.Width, copy.Height)) break;
        const TSize size = LimitSize(copy.Width, copy.Height, side, side);
        steps.push_back({VariantName(name, std::to_string(side), TVariantFormat::Jpeg),
                         TVariantFormat::Jpeg,
                         size,
                         size,
                         0,
                         {}});
    }
    return steps;
}

std::vector<TVariant> ThumbScaleVariants(const TFSC_Images& images, const std::string& thumbName,
                                         TSize source) {
    std::vector<TVariant> scales;
    if (images.ImagesAreThumbs || source.Width <= 0 || source.Height <= 0) return scales;
    const TSize base =
        ThumbnailFileSize(images, ThumbnailSize(images.ThumbSizeMode, source.Width, source.Height,
                                                images.ThumbWidth, images.ThumbHeight));
    TSize before = base;
    for (const int scale : {2, 3}) {
        const TSize box{images.ThumbWidth * scale, images.ThumbHeight * scale};
        const TSize sized =
            ThumbnailSize(images.ThumbSizeMode, source.Width, source.Height, box.Width, box.Height);
        const bool cut = images.ThumbSizeMode == TThumbSizeMode::hardLimit;
        const TSize file =
            cut ? TSize{std::min(sized.Width, box.Width), std::min(sized.Height, box.Height)}
                : sized;
        // A scale the source cannot fill would be the source enlarged, or mislabelled.
        const bool full =
            file.Width + scale > base.Width * scale && file.Height + scale > base.Height * scale;
        if (!full || !Fits(file, source) || Fits(file, before)) break;
        scales.push_back({VariantName(thumbName, std::to_string(scale) + "x", TVariantFormat::Jpeg),
                          TVariantFormat::Jpeg, sized, file, scale, box});
        before = file;
    }
    return scales;
}

std::vector<TVariant> CopyVariants(const TFSC_Images& images, const std::string& name, TSize copy) {
    std::vector<TVariant> out;
    const TVariantChoice& choice = images.Variants;
    if (copy.Width <= 0 || copy.Height <= 0 || !choice.Copies) return out;
    std::vector<TVariant> jpegs;
    if (choice.CopySteps) jpegs = CopyStepVariants(name, copy);
    out = jpegs;
    jpegs.push_back({name, TVariantFormat::Jpeg, copy, copy, 0, {}});
    AddFormats(choice, jpegs, out);
    return out;
}

std::vector<TVariant> ThumbVariants(const TFSC_Images& images, const std::string& thumbName,
                                    TSize source) {
    std::vector<TVariant> out;
    if (images.ImagesAreThumbs || source.Width <= 0 || source.Height <= 0) return out;
    const TVariantChoice& choice = images.Variants;
    std::vector<TVariant> jpegs;
    if (choice.ThumbScales) jpegs = ThumbScaleVariants(images, thumbName, source);
    out = jpegs;
    const TSize sized = ThumbnailSize(images.ThumbSizeMode, source.Width, source.Height,
                                      images.ThumbWidth, images.ThumbHeight);
    jpegs.insert(jpegs.begin(), {thumbName,
                                 TVariantFormat::Jpeg,
                                 sized,
                                 ThumbnailFileSize(images, sized),
                                 1,
                                 {images.ThumbWidth, images.ThumbHeight}});
    AddFormats(choice, jpegs, out);
    return out;
}

}  // namespace fsc
