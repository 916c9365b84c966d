// A photo's EXIF block, read once with libexif: the data the pages show, and the block
// rewritten for a copy of the photo.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "imaging/PhotoData.h"

struct _ExifData;

namespace fsc {

// What a copy's block changes.
struct TExifChanges {
    // The copy's pixels are upright, so the orientation becomes 1.
    bool Upright = false;
    // The embedded preview shows the original and only weighs the copy down.
    bool DropThumbnail = false;
    bool RemoveLocation = false;
    // The copy's size where the block records one; 0 leaves it.
    int Width = 0;
    int Height = 0;
};

class TExifBlock {
public:
    // The payload of an APP1 "Exif" segment, as ReadExifPayload gives it. Damaged data is
    // never an error: what libexif can make of it is kept, the rest is dropped.
    explicit TExifBlock(std::string_view app1Payload);
    ~TExifBlock();
    TExifBlock(const TExifBlock&) = delete;
    TExifBlock& operator=(const TExifBlock&) = delete;

    // Any tag at all could be read.
    bool Readable() const;
    bool HasLocation() const;
    TPhotoData PhotoData() const;

    // The payload for a copy, "Exif\0\0" and the TIFF block; empty when nothing readable is
    // left or it would not fit into one segment, so the copy goes without.
    std::string Rewritten(const TExifChanges& changes);

private:
    struct TUnref {
        void operator()(_ExifData* data) const;
    };
    std::unique_ptr<_ExifData, TUnref> data;
};

}  // namespace fsc
