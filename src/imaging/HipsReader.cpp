// Decodes HIPS image sequences (the original and the HIPS-2 header) into 24-bit pictures.
#include "imaging/HipsReader.h"

#include <charconv>

#include "base/Errors.h"
#include "base/Text.h"
#include "imaging/ByteCursor.h"

namespace fsc {

namespace {

// Pixel format codes of the HIPS header.
enum PixelFormat { PfByte = 0, PfMsbf = 30, PfLsbf = 31, PfSByte = 32, PfRgb = 35, PfRgbz = 36 };

struct HipsHeader {
    int Frames = 0;
    std::int64_t Rows = 0;
    std::int64_t Cols = 0;
    int Format = 0;
};

// Header lines are text ended by '\n'; a header is never longer than this,
// so a file without line ends cannot make us scan forever.
constexpr std::size_t MaxLine = 64 * 1024;

std::string Line(ByteCursor& in) {
    std::string text;
    for (;;) {
        const char c = char(in.U8());
        if (c == '\n') return text;
        if (text.size() >= MaxLine) in.Corrupt("header line too long");
        text += c;
    }
}

std::int64_t Number(ByteCursor& in, const char* field) {
    const std::string text = Trim(Line(in));
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || text.empty())
        in.Corrupt(std::string("bad ") + field + " \"" + text + "\"");
    return value;
}

int SmallNumber(ByteCursor& in, const char* field) {
    const std::int64_t value = Number(in, field);
    if (value < 0 || value > 1'000'000) in.Corrupt(std::string("bad ") + field);
    return int(value);
}

void SkipBlock(ByteCursor& in, const char* field) { in.Skip(std::size_t(SmallNumber(in, field))); }

// HIPS-2: "HIPS", names, frames, date, stored and region sizes, format,
// colour count, then sized history, description and parameter blocks.
HipsHeader ReadHips2(ByteCursor& in) {
    HipsHeader h;
    Line(in), Line(in);
    h.Frames = SmallNumber(in, "frame count");
    Line(in);
    h.Rows = Number(in, "rows");
    h.Cols = Number(in, "columns");
    for (int i = 0; i < 4; i++) Number(in, "region");
    h.Format = SmallNumber(in, "pixel format");
    Number(in, "colour count");
    SkipBlock(in, "history size");
    SkipBlock(in, "description size");
    const int parameters = SmallNumber(in, "parameter count");
    for (int i = 0; i < parameters; i++) Line(in);
    SkipBlock(in, "parameter size");
    return h;
}

// The original header: names, frames, date, rows, columns, bits, packing,
// format, a history whose lines go on while they end in "|\", and a
// description ended by a line holding a single ".".
// The first line, the originator's name, has been read already.
HipsHeader ReadHips1(ByteCursor& in) {
    HipsHeader h;
    Line(in);
    h.Frames = SmallNumber(in, "frame count");
    Line(in);
    h.Rows = Number(in, "rows");
    h.Cols = Number(in, "columns");
    Number(in, "bits per pixel");
    Number(in, "bit packing");
    h.Format = SmallNumber(in, "pixel format");
    while (EndsWith(Line(in), "|\\")) {
    }
    while (Line(in) != ".") {
    }
    return h;
}

std::size_t FrameBytes(const HipsHeader& h) {
    const std::size_t pixels = std::size_t(h.Rows) * std::size_t(h.Cols);
    switch (h.Format) {
        case PfMsbf:
        case PfLsbf:
            return std::size_t(h.Rows) * ((std::size_t(h.Cols) + 7) / 8);
        case PfRgb:
            return pixels * 3;
        case PfRgbz:
            return pixels * 4;
        default:
            return pixels;
    }
}

std::uint8_t Sample(const HipsHeader& h, const std::uint8_t* frame, std::size_t x, std::size_t y) {
    switch (h.Format) {
        case PfSByte:
            return std::uint8_t(int(std::int8_t(frame[y * h.Cols + x])) + 128);
        case PfMsbf:
            return (frame[y * ((h.Cols + 7) / 8) + x / 8] >> (7 - x % 8) & 1) ? 255 : 0;
        case PfLsbf:
            return (frame[y * ((h.Cols + 7) / 8) + x / 8] >> (x % 8) & 1) ? 255 : 0;
        default:
            return frame[y * h.Cols + x];
    }
}

void CopyInterleaved(const HipsHeader& h, const std::uint8_t* data, TBitmap& picture) {
    const int step = h.Format == PfRgb ? 3 : 4;
    for (int y = 0; y < picture.Height; y++) {
        const std::uint8_t* from = data + std::size_t(y) * std::size_t(h.Cols) * step;
        std::uint8_t* to = picture.Row(y);
        for (int x = 0; x < picture.Width; x++, from += step, to += 3)
            to[0] = from[0], to[1] = from[1], to[2] = from[2];
    }
}

// Grey for one or two planes, red, green and blue from the first three otherwise.
void CopyPlanes(const HipsHeader& h, const std::uint8_t* data, int planes, TBitmap& picture) {
    const std::size_t frameBytes = FrameBytes(h);
    for (int c = 0; c < 3; c++) {
        const std::uint8_t* frame = data + (planes >= 3 ? std::size_t(c) * frameBytes : 0);
        for (int y = 0; y < picture.Height; y++) {
            std::uint8_t* to = picture.Row(y) + c;
            for (int x = 0; x < picture.Width; x++, to += 3)
                *to = Sample(h, frame, std::size_t(x), std::size_t(y));
        }
    }
}

}  // namespace

TBitmap DecodeHips(std::string_view bytes, std::vector<std::string>* notices,
                   std::uint64_t maxPixels) {
    ByteCursor in(bytes, "HIPS");
    const std::string first = Line(in);
    const HipsHeader h = Trim(first) == "HIPS" ? ReadHips2(in) : ReadHips1(in);
    const int f = h.Format;
    if (f != PfByte && f != PfSByte && f != PfMsbf && f != PfLsbf && f != PfRgb && f != PfRgbz)
        throw EFSC_Exception("Pixel format not supported yet");
    if (h.Frames < 1) in.Corrupt("no frames");
    CheckPictureSize("HIPS", h.Cols, h.Rows, maxPixels);

    const bool interleaved = f == PfRgb || f == PfRgbz;
    const int planes = interleaved ? 1 : h.Frames;
    const int used = planes >= 3 ? 3 : 1;
    // Check the data is all there before allocating the picture.
    const std::uint8_t* data = in.Bytes(FrameBytes(h) * std::size_t(used));
    const TMemoryBudget::TShare memory = ReservePicture(h.Cols, h.Rows);
    TBitmap picture(int(h.Cols), int(h.Rows));
    if (interleaved) {
        CopyInterleaved(h, data, picture);
    } else {
        CopyPlanes(h, data, planes, picture);
    }
    if (!interleaved && planes > 3 && notices != nullptr)
        notices->push_back("The image contains " + std::to_string(planes) +
                           " color planes, only 3 were loaded");
    return picture;
}

}  // namespace fsc
