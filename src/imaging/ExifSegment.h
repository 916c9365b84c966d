// The segments of a JPEG file before its picture data, and among them the EXIF block (the
// APP1 "Exif" segment): found, read and replaced without decoding the picture.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace fsc {

// Where a segment lies in the file: from its 0xFF marker byte to its last payload byte.
struct TJpegSegment {
    std::size_t Offset = 0;
    std::size_t Length = 0;
};

// A segment as the walk over a file's segments finds it.
struct TSegmentEntry {
    // 0xE1 for APP1, ...
    std::uint8_t Marker = 0;
    TJpegSegment Segment;
    std::size_t PayloadOffset = 0;
    std::size_t PayloadSize() const { return Segment.Offset + Segment.Length - PayloadOffset; }
};

// The segments before the picture data, in file order; as many as can be read.
std::vector<TSegmentEntry> ListSegments(std::string_view jpeg);

// The payload of the first APP1 segment whose payload starts "Exif\0\0", looked for among
// the segments before the picture data in the file ("Exif\0\0" and the TIFF block), read without
// the rest of the file; empty when there is none or the file cannot be read.
std::string ReadExifPayload(const std::string& fileName);

// `jpeg` with the segment at `where` replaced by an APP1 segment holding `payload`, or
// removed when `payload` is empty; every other byte stays as it was.
std::string ReplaceSegment(std::string_view jpeg, TJpegSegment where, std::string_view payload);

}  // namespace fsc
