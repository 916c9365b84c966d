#include "DngSample.h"

#include <tiffio.h>

#include <cstdint>
#include <stdexcept>
#include <vector>

namespace fsc::test {

void WriteDng(const std::string& path, const TBitmap& preview, int orientation, int sensorWidth,
              int sensorHeight) {
    TIFF* tiff = TIFFOpen(path.c_str(), "w");
    if (tiff == nullptr) throw std::runtime_error("cannot write " + path);
    TIFFSetField(tiff, TIFFTAG_SUBFILETYPE, FILETYPE_REDUCEDIMAGE);
    TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, preview.Width);
    TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, preview.Height);
    TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, 8);
    TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, 3);
    TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
    TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(tiff, TIFFTAG_ORIENTATION, orientation);
    TIFFSetField(tiff, TIFFTAG_MAKE, "Canon");
    TIFFSetField(tiff, TIFFTAG_MODEL, "Canon EOS 5D");
    TIFFSetField(tiff, TIFFTAG_DNGVERSION, "\x01\x04\x00\x00");
    TIFFSetField(tiff, TIFFTAG_DNGBACKWARDVERSION, "\x01\x01\x00\x00");
    TIFFSetField(tiff, TIFFTAG_UNIQUECAMERAMODEL, "Canon EOS 5D");
    std::uint64_t subIfd = 0;
    TIFFSetField(tiff, TIFFTAG_SUBIFD, 1, &subIfd);
    for (int y = 0; y < preview.Height; ++y)
        TIFFWriteScanline(tiff, const_cast<std::uint8_t*>(preview.Row(y)), std::uint32_t(y));
    TIFFWriteDirectory(tiff);

    TIFFSetField(tiff, TIFFTAG_SUBFILETYPE, 0);
    TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, sensorWidth);
    TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, sensorHeight);
    TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, 16);
    TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, 1);
    TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, 32803);  // colour filter array
    TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    const std::uint16_t repeat[2] = {2, 2};
    TIFFSetField(tiff, TIFFTAG_CFAREPEATPATTERNDIM, repeat);
    TIFFSetField(tiff, TIFFTAG_CFAPATTERN, 4, "\x00\x01\x01\x02");
    std::vector<std::uint16_t> row(std::size_t(sensorWidth), 1000);
    for (int y = 0; y < sensorHeight; ++y) TIFFWriteScanline(tiff, row.data(), std::uint32_t(y));
    TIFFWriteDirectory(tiff);
    TIFFClose(tiff);
}

}  // namespace fsc::test
