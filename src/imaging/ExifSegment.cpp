// Finding, reading and replacing the EXIF block of a JPEG file.
#include "imaging/ExifSegment.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>

#include "imaging/JpegWriter.h"

namespace fsc {

namespace {

constexpr std::uint8_t App1 = 0xE1;
constexpr std::uint8_t StartOfScan = 0xDA;
constexpr std::uint8_t EndOfImage = 0xD9;
constexpr char ExifHeader[] = "Exif\0\0";
constexpr std::size_t ExifHeaderSize = 6;

// Reads `count` bytes at `offset`; false when the source ends first.
using TReadAt = std::function<bool(std::size_t offset, std::size_t count, std::uint8_t* into)>;

bool IsStandalone(std::uint8_t marker) {
    return marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7);
}

// Calls `visit` with each segment after SOI up to the picture data until it returns true.
// Padding 0xFF bytes before a marker are allowed, as the format allows them; they belong to
// the segment, so that replacing it leaves no stray bytes.
template <class Visit>
void WalkSegments(const TReadAt& readAt, Visit visit) {
    std::uint8_t head[4];
    if (!readAt(0, 2, head) || head[0] != 0xFF || head[1] != 0xD8) return;
    std::size_t at = 2;
    for (;;) {
        const std::size_t start = at;
        if (!readAt(at, 2, head) || head[0] != 0xFF) return;
        while (head[1] == 0xFF) {
            ++at;
            if (!readAt(at, 2, head)) return;
        }
        const std::uint8_t marker = head[1];
        if (marker == StartOfScan || marker == EndOfImage) return;
        if (IsStandalone(marker)) {
            at += 2;
            continue;
        }
        if (!readAt(at + 2, 2, head + 2)) return;
        const std::size_t length = std::size_t(head[2]) << 8 | head[3];
        if (length < 2) return;
        if (visit(TSegmentEntry{marker, {start, at + 2 + length - start}, at + 4})) return;
        at += 2 + length;
    }
}

bool IsExif(const TReadAt& readAt, const TSegmentEntry& entry) {
    std::uint8_t tag[ExifHeaderSize];
    return entry.Marker == App1 && entry.PayloadSize() >= ExifHeaderSize &&
           readAt(entry.PayloadOffset, ExifHeaderSize, tag) &&
           std::memcmp(tag, ExifHeader, ExifHeaderSize) == 0;
}

std::optional<TSegmentEntry> FindExif(const TReadAt& readAt) {
    std::optional<TSegmentEntry> found;
    WalkSegments(readAt, [&](const TSegmentEntry& entry) {
        if (IsExif(readAt, entry)) found = entry;
        return found.has_value();
    });
    return found;
}

TReadAt MemoryReader(std::string_view jpeg) {
    return [jpeg](std::size_t offset, std::size_t count, std::uint8_t* into) {
        if (offset > jpeg.size() || jpeg.size() - offset < count) return false;
        std::memcpy(into, jpeg.data() + offset, count);
        return true;
    };
}

}  // namespace

std::vector<TSegmentEntry> ListSegments(std::string_view jpeg) {
    std::vector<TSegmentEntry> segments;
    WalkSegments(MemoryReader(jpeg), [&](const TSegmentEntry& entry) {
        segments.push_back(entry);
        return false;
    });
    return segments;
}

std::string ReadExifPayload(const std::string& fileName) {
    std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(fileName.c_str(), "rb"), &std::fclose);
    if (!file) return {};
    const TReadAt readAt = [&](std::size_t offset, std::size_t count, std::uint8_t* into) {
        return std::fseek(file.get(), long(offset), SEEK_SET) == 0 &&
               std::fread(into, 1, count, file.get()) == count;
    };
    const std::optional<TSegmentEntry> found = FindExif(readAt);
    if (!found) return {};
    std::string payload(found->PayloadSize(), '\0');
    if (!readAt(found->PayloadOffset, payload.size(),
                reinterpret_cast<std::uint8_t*>(payload.data())))
        return {};
    return payload;
}

std::string ReplaceSegment(std::string_view jpeg, TJpegSegment where, std::string_view payload) {
    std::string result(jpeg.substr(0, where.Offset));
    if (!payload.empty() && payload.size() <= MaxMarkerPayload) {
        const std::size_t length = payload.size() + 2;
        result += char(0xFF);
        result += char(App1);
        result += char(length >> 8);
        result += char(length & 0xFF);
        result += payload;
    }
    result += jpeg.substr(std::min(jpeg.size(), where.Offset + where.Length));
    return result;
}

}  // namespace fsc
