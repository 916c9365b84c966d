// Encoding a picture's extra files.
#include "engine/VariantPictures.h"

#include <algorithm>
#include <map>
#include <utility>

#include "imaging/AvifWriter.h"
#include "imaging/JpegWriter.h"
#include "imaging/Resize.h"
#include "imaging/WebpWriter.h"

namespace fsc {

namespace {

std::string Encode(const TBitmap& picture, TVariantFormat format, int quality) {
    switch (format) {
        case TVariantFormat::Webp:
            return EncodeWebp(picture, quality);
        case TVariantFormat::Avif:
            return EncodeAvif(picture, quality);
        case TVariantFormat::Jpeg:
            break;
    }
    return EncodeJpeg(picture, quality, false);
}

// Each size is resized once, however many formats it is written in.
class TResizedPictures {
public:
    template <class Make>
    const TBitmap& Get(const std::pair<int, int>& key, Make make) {
        auto found = pictures.find(key);
        if (found == pictures.end()) found = pictures.emplace(key, make()).first;
        return found->second;
    }

private:
    std::map<std::pair<int, int>, TBitmap> pictures;
};

}  // namespace

std::vector<TVariantFile> MakeCopyVariants(const TBitmap& copy,
                                           const std::vector<TVariant>& variants, int quality,
                                           const TFSC_Images& images) {
    std::vector<TVariantFile> files;
    TResizedPictures resized;
    for (const TVariant& variant : variants) {
        const bool whole = variant.Size == TSize{copy.Width, copy.Height};
        const TBitmap& picture =
            whole ? copy : resized.Get({variant.Size.Width, variant.Size.Height}, [&] {
                return ResizeBy(images.ResizeMethod, copy, variant.Size.Width, variant.Size.Height);
            });
        files.push_back({variant.Name, Encode(picture, variant.Format, quality)});
    }
    return files;
}

std::vector<TVariantFile> MakeThumbVariants(const TBitmap& decoded, const TBitmap& thumbnail,
                                            const std::vector<TVariant>& variants, int quality,
                                            const TFSC_Images& images) {
    std::vector<TVariantFile> files;
    TResizedPictures resized;
    for (const TVariant& variant : variants) {
        const TBitmap& picture =
            variant.Scale <= 1 ? thumbnail : resized.Get({variant.Scale, 0}, [&] {
                if (images.ThumbSizeMode == TThumbSizeMode::hardLimit) {
                    return ResizeAndCutBy(images.ResizeMethod, decoded, variant.Sized.Width,
                                          variant.Sized.Height, variant.Box.Width,
                                          variant.Box.Height);
                }
                return ResizeBy(images.ResizeMethod, decoded, variant.Sized.Width,
                                variant.Sized.Height);
            });
        files.push_back({variant.Name, Encode(picture, variant.Format, quality)});
    }
    return files;
}

TSize LargestVariant(const std::vector<TVariant>& variants) {
    TSize largest;
    for (const TVariant& variant : variants) {
        largest.Width = std::max(largest.Width, variant.Sized.Width);
        largest.Height = std::max(largest.Height, variant.Sized.Height);
    }
    return largest;
}

}  // namespace fsc
