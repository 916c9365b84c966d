// srcset, sizes and <source> markup from a picture's variants.
#include "engine/VariantTags.h"

#include "base/Text.h"
#include "engine/ImageDataTags.h"
#include "engine/PageUrls.h"
#include "engine/PictureVariants.h"

namespace fsc {

namespace {

// A comma may end or start a candidate in a srcset, so it is encoded there.
std::string CandidateUrl(const std::string& dir, const std::string& name) {
    return ReplaceAll(FileUrl(dir, name), ",", "%2C");
}

std::string ThumbSrcset(const std::vector<TVariant>& files, TVariantFormat format,
                        const std::string& dir) {
    std::string srcset;
    for (const TVariant& file : files) {
        if (file.Format != format) continue;
        if (!srcset.empty()) srcset += ", ";
        srcset += CandidateUrl(dir, file.Name) + " " + std::to_string(file.Scale) + "x";
    }
    return srcset;
}

std::string CopySrcset(const std::vector<TVariant>& files, TVariantFormat format,
                       const std::string& dir) {
    std::string srcset;
    for (const TVariant& file : files) {
        if (file.Format != format) continue;
        if (!srcset.empty()) srcset += ", ";
        srcset += CandidateUrl(dir, file.Name) + " " + std::to_string(file.Size.Width) + "w";
    }
    return srcset;
}

// Shown at its own width, or the window's when that is narrower.
std::string CopySizes(TSize copy) {
    if (copy.Width <= 0) return "100vw";
    const std::string px = std::to_string(copy.Width) + "px";
    return "(max-width: " + px + ") 100vw, " + px;
}

std::vector<TVariant> ThumbFiles(const TThumbnail& thumb, const TFSC_Images& images) {
    std::vector<TVariant> files;
    if (thumb.HasThumbVariants)
        files = ThumbVariants(images, thumb.ThumbName, {thumb.ImageWidth, thumb.ImageHeight});
    files.insert(files.begin(), {thumb.ThumbName, TVariantFormat::Jpeg, {}, {}, 1, {}});
    return files;
}

std::vector<TVariant> CopyFiles(const TThumbnail& thumb, const TFSC_Images& images, TSize copy) {
    std::vector<TVariant> files;
    if (thumb.HasCopyVariants) files = CopyVariants(images, thumb.Name, copy);
    files.push_back({thumb.Name, TVariantFormat::Jpeg, copy, copy, 0, {}});
    return files;
}

// <source> elements, the smallest format first: a browser takes the first type it knows.
// Each carries the copy's sizes: without them a source counts as shown across the whole
// window, and the picture's natural size would be the window's.
std::string Sources(const std::string& sizes, auto srcsetOf) {
    std::string markup;
    for (const TVariantFormat format : {TVariantFormat::Avif, TVariantFormat::Webp}) {
        const std::string srcset = srcsetOf(format);
        if (srcset.empty()) continue;
        markup += "<source type=\"" + std::string(VariantMimeType(format)) + "\" srcset=\"" +
                  srcset + "\"" + (sizes.empty() ? "" : " sizes=\"" + sizes + "\"") + ">";
    }
    return markup;
}

template <class MakeValue>
void ReplaceTag(std::string& text, std::string_view tag, MakeValue makeValue) {
    if (text.find(tag) != std::string::npos) ReplaceAllIn(text, tag, makeValue());
}

}  // namespace

std::string ApplyVariantTags(std::string text, const TThumbnail& thumb, const std::string& dir,
                             const TFSC_Images& images) {
    if (text.find("SRCSET->") == std::string::npos && text.find("SOURCES->") == std::string::npos &&
        text.find("<!-IMAGESIZES->") == std::string::npos)
        return text;
    const TSize copy = CopySizeOf(thumb, images);
    const std::vector<TVariant> thumbs = ThumbFiles(thumb, images);
    // A copy never measured has no known steps: the copy alone.
    const std::vector<TVariant> copies =
        copy.Width > 0 ? CopyFiles(thumb, images, copy)
                       : std::vector<TVariant>{{thumb.Name, TVariantFormat::Jpeg, {}, {}, 0, {}}};
    ReplaceTag(text, "<!-THUMBSRCSET->",
               [&] { return ThumbSrcset(thumbs, TVariantFormat::Jpeg, dir); });
    ReplaceTag(text, "<!-IMAGESRCSET->", [&] {
        return copy.Width > 0 ? CopySrcset(copies, TVariantFormat::Jpeg, dir)
                              : CandidateUrl(dir, thumb.Name);
    });
    ReplaceTag(text, "<!-IMAGESIZES->", [&] { return CopySizes(copy); });
    ReplaceTag(text, "<!-THUMBSOURCES->", [&] {
        return Sources("", [&](TVariantFormat f) { return ThumbSrcset(thumbs, f, dir); });
    });
    ReplaceTag(text, "<!-IMAGESOURCES->", [&] {
        if (copy.Width <= 0) return std::string();
        return Sources(CopySizes(copy),
                       [&](TVariantFormat f) { return CopySrcset(copies, f, dir); });
    });
    return text;
}

}  // namespace fsc
