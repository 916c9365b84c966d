// One picture of the gallery as the image step reads it: its size first, from the header
// where the format allows, then the picture itself at the smallest size the outputs need.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "imaging/ImageFitting.h"
#include "imaging/TBitmap.h"

namespace fsc {

class TSourcePicture {
public:
    // A JPEG file's header is read; a picture of another format is loaded whole, with the
    // loader's notices kept in `notices`. Raises EFSC_Exception
    //   Cannot load image "<file name>": <the reader's message>
    TSourcePicture(const std::string& fileName, std::vector<std::string>& notices);
    // JPEG bytes made by this build (a copy that replaced its own source).
    TSourcePicture(const std::string& fileName, std::string jpegBytes);

    // Upright, as a viewer shows it.
    TSize Size() const { return size; }
    // Memory a decode holds besides its result.
    std::size_t DecodeBytes() const { return decodeBytes; }
    // The picture, at least `atLeast` in both directions where the format can decode smaller
    // (JPEG, by halves down to an eighth); the whole picture otherwise, which is handed over
    // rather than copied, so ask once.
    TBitmap Picture(TSize atLeast);

private:
    std::string fileName;
    // A JPEG file is read by the decoder as it goes; JPEG bytes made in memory are kept.
    bool isJpegFile = false;
    std::string jpegBytes;
    TBitmap whole;
    TSize size;
    std::size_t decodeBytes = 0;

    void ReadJpegHeader();
};

// ".jpg", ".jpeg" or ".jpe" in any case: what the built-in JPEG reader takes.
bool IsJpegFileName(const std::string& fileName);

}  // namespace fsc
