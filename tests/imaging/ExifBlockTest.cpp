// A photo's EXIF block: the data the pages show, the block a copy carries, the segment a
// byte copy rewrites, and damaged blocks that must never bring the build down.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "ExifSamples.h"
#include "base/TDateTime.h"
#include "imaging/ExifBlock.h"
#include "imaging/ExifSegment.h"
#include "imaging/JpegReader.h"
#include "imaging/LocationRemoval.h"
#include "support/TempDir.h"

namespace fsc {
namespace {

using namespace std::string_literals;
using test::Bytes;
using test::ExifPayload;
using test::ExifSegmentOf;
using test::TExifSample;

TEST(ExifBlock, PhotoDataIsReadInBothByteOrders) {
    for (bool bigEndian : {false, true}) {
        TExifSample sample;
        sample.BigEndian = bigEndian;
        const TPhotoData photo = TExifBlock(ExifPayload(sample)).PhotoData();
        EXPECT_EQ(photo.Taken, EncodeDateTime(2021, 7, 14, 10, 30, 5)) << bigEndian;
        EXPECT_EQ(photo.Camera, "Canon EOS 5D");
        EXPECT_EQ(photo.Lens, "EF35mm f/2");
        EXPECT_EQ(photo.Exposure, "1/250 s");
        EXPECT_EQ(photo.Aperture, "f/5.6");
        EXPECT_EQ(photo.Iso, "400");
        EXPECT_EQ(photo.FocalLength, "35 mm");
        EXPECT_EQ(photo.Gps, "48.858222, 2.294500");
    }
}

TEST(ExifBlock, TextsFollowTheCamerasHabits) {
    struct Case {
        const char *Make, *Model, *Camera;
    } cases[] = {{"Canon", "Canon EOS 5D", "Canon EOS 5D"},
                 {"NIKON CORPORATION", "NIKON D750", "NIKON D750"},
                 {"FUJIFILM", "X-T3", "FUJIFILM X-T3"},
                 {"", "X-T3", "X-T3"},
                 {"Apple", "", "Apple"}};
    for (const Case& c : cases) {
        TExifSample sample;
        sample.Make = c.Make;
        sample.Model = c.Model;
        EXPECT_EQ(TExifBlock(ExifPayload(sample)).PhotoData().Camera, c.Camera) << c.Make;
    }
    TExifSample slow;
    slow.ExposureNumerator = 5, slow.ExposureDenominator = 2;
    slow.FNumberTimesTen = 80;
    slow.SouthWest = true;
    const TPhotoData photo = TExifBlock(ExifPayload(slow)).PhotoData();
    EXPECT_EQ(photo.Exposure, "2.5 s");
    EXPECT_EQ(photo.Aperture, "f/8");
    EXPECT_EQ(photo.Gps, "-48.858222, -2.294500");
}

TEST(ExifBlock, WhatThePhotoDoesNotSayStaysEmpty) {
    TExifSample bare;
    bare.Taken = "0000:00:00 00:00:00";  // a camera without a clock
    bare.Make = bare.Model = bare.Lens = "";
    bare.ExposureDenominator = 0;
    bare.FNumberTimesTen = bare.Iso = bare.FocalLength = 0;
    bare.Gps = false;
    EXPECT_EQ(TExifBlock(ExifPayload(bare)).PhotoData(), TPhotoData{});
    EXPECT_EQ(TExifBlock("").PhotoData(), TPhotoData{});
}

TEST(ExifBlock, CopyBlockIsUprightWithoutPreviewAndLocation) {
    TExifSample sample;
    sample.Thumbnail = test::JpegRgb(test::Quadrants(16, 16));
    for (bool removeLocation : {true, false}) {
        TExifBlock block(ExifPayload(sample));
        ASSERT_TRUE(block.HasLocation());
        TExifChanges changes;
        changes.Upright = changes.DropThumbnail = true;
        changes.RemoveLocation = removeLocation;
        const Bytes copy = block.Rewritten(changes);
        ASSERT_FALSE(copy.empty());
        TExifBlock reread(copy);
        const TPhotoData photo = reread.PhotoData();
        EXPECT_EQ(photo.Camera, "Canon EOS 5D");
        EXPECT_EQ(photo.Taken, EncodeDateTime(2021, 7, 14, 10, 30, 5));
        EXPECT_EQ(reread.HasLocation(), !removeLocation);
        test::TExifDataPtr loaded(exif_data_new_from_data(
            reinterpret_cast<const unsigned char*>(copy.data()), unsigned(copy.size())));
        ASSERT_TRUE(loaded);
        EXPECT_EQ(test::ExifOrientationOf(loaded.get()), 1);
        EXPECT_EQ(loaded->size, 0u) << "the preview is dropped";
        EXPECT_EQ(test::ExifText(loaded.get(), EXIF_IFD_EXIF, EXIF_TAG_LENS_MODEL), "EF35mm f/2");
        // Written into a JPEG, the block no longer turns the picture.
        const Bytes jpeg = test::WithExif(test::JpegRgb(test::Quadrants(8, 4)), copy);
        EXPECT_EQ(DecodeJpeg(jpeg).Width, 8);
    }
}

TEST(ExifSegment, ReplacingTheBlockLeavesEveryOtherByte) {
    const Bytes plain = test::JpegRgb(test::Quadrants(32, 16));
    const Bytes payload = ExifPayload(TExifSample{});
    const Bytes jpeg = test::WithExif(plain, payload);
    const std::optional<TJpegSegment> segment = ExifSegmentOf(jpeg);
    ASSERT_TRUE(segment);
    EXPECT_EQ(segment->Offset, 2u);
    EXPECT_EQ(segment->Length, payload.size() + 4);
    EXPECT_EQ(
        ReplaceSegment(jpeg, *segment, "Exif\0\0new"s.substr(0, 9)),
        plain.substr(0, 2) + "\xFF\xE1\x00\x0B"s + "Exif\0\0new"s.substr(0, 9) + plain.substr(2));
    EXPECT_EQ(ReplaceSegment(jpeg, *segment, ""), plain);
    EXPECT_FALSE(ExifSegmentOf(plain));

    test::TempDir dir;
    const std::string file = dir / "photo.jpg";
    std::ofstream(file, std::ios::binary) << jpeg;
    EXPECT_EQ(ReadExifPayload(file), payload);
    // Cut inside the block: the block is not there to be read.
    std::ofstream(file, std::ios::binary | std::ios::trunc) << jpeg.substr(0, 40);
    EXPECT_EQ(ReadExifPayload(file), "");
    EXPECT_EQ(ReadExifPayload(dir / "missing.jpg"), "");
}

Bytes App1(const Bytes& payload) {
    return "\xFF\xE1"s + char((payload.size() + 2) >> 8) + char((payload.size() + 2) & 0xFF) +
           payload;
}

TEST(LocationRemoval, TakesOutThePositionAndNothingElse) {
    const Bytes plain = test::JpegRgb(test::Quadrants(16, 16));
    const Bytes xmpHeader("http://ns.adobe.com/xap/1.0/\0", 29);
    const Bytes placedXmp = App1(xmpHeader + "<x:xmpmeta exif:GPSLatitude=\"48,51.49N\"/>");
    const Bytes ratedXmp = App1(xmpHeader + "<x:xmpmeta xmp:Rating=\"5\"/>");
    const Bytes exif = ExifPayload(TExifSample{});
    const Bytes head = plain.substr(0, 2), rest = plain.substr(2);

    Bytes jpeg = head + App1(exif) + placedXmp + ratedXmp + rest;
    ASSERT_TRUE(RemoveLocationData(jpeg));
    const std::optional<TJpegSegment> segment = ExifSegmentOf(jpeg);
    ASSERT_TRUE(segment);
    const Bytes kept = jpeg.substr(segment->Offset + 4, segment->Length - 4);
    EXPECT_FALSE(TExifBlock(kept).HasLocation());
    EXPECT_EQ(TExifBlock(kept).PhotoData().Camera, "Canon EOS 5D");
    EXPECT_EQ(jpeg, head + App1(kept) + ratedXmp + rest) << "the placed XMP packet goes";

    // Nothing to take out: the bytes stay as they are.
    TExifSample nowhere;
    nowhere.Gps = false;
    Bytes clean = head + App1(ExifPayload(nowhere)) + ratedXmp + rest;
    const Bytes before = clean;
    EXPECT_FALSE(RemoveLocationData(clean));
    EXPECT_EQ(clean, before);

    // A block no one can read may hide a position: it goes whole.
    Bytes unreadable = head + App1("Exif\0\0garbage"s) + rest;
    EXPECT_TRUE(RemoveLocationData(unreadable));
    EXPECT_EQ(unreadable, plain);
}

// Each damage a fuzzer would find first: cut at every length, and every byte of the TIFF
// header and first directory overwritten. Nothing may crash; what comes back is either no
// block or one that reads again.
TEST(ExifBlock, DamagedBlocksNeverCrash) {
    TExifSample sample;
    sample.Thumbnail = test::JpegRgb(test::Quadrants(8, 8));
    const Bytes good = ExifPayload(sample);
    std::vector<Bytes> damaged;
    for (std::size_t n = 0; n < good.size(); n += 3) damaged.push_back(good.substr(0, n));
    for (std::size_t at = 6; at < std::min<std::size_t>(good.size(), 200); ++at) {
        for (char value : {'\x00', '\xFF', '\x7F'}) {
            Bytes broken = good;
            broken[at] = value;
            damaged.push_back(broken);
        }
    }
    for (const Bytes& payload : damaged) {
        TExifBlock block(payload);
        (void)block.PhotoData();
        TExifChanges changes;
        changes.Upright = changes.DropThumbnail = changes.RemoveLocation = true;
        const Bytes rewritten = block.Rewritten(changes);
        if (!rewritten.empty()) {
            EXPECT_FALSE(TExifBlock(rewritten).HasLocation());
        }
    }
}

}  // namespace
}  // namespace fsc
