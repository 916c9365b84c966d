// The extra files of a picture: larger thumbnails, smaller copies, WebP and AVIF. Sizes by
// rule; then real builds whose pages name files that must exist at the size they are named
// with, that undo removes, that later builds keep or take away.
#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <set>
#include <sstream>

#include "BuildFixture.h"
#include "base/Text.h"
#include "engine/PictureVariants.h"
#include "engine/StaleOutputs.h"
#include "engine/ThumbnailPicture.h"
#include "engine/Undo.h"
#include "imaging/ImageFitting.h"

namespace fsc {
namespace {

TFSC_Images ImagesWith(TThumbSizeMode mode, int box) {
    TFSC_Images images;
    images.ThumbSizeMode = mode;
    images.ThumbWidth = images.ThumbHeight = box;
    images.Variants = {true, true, true, true};
    return images;
}

// Never larger than the original, each larger than the one before, whatever the mode, box
// and picture.
TEST(PictureVariants, ThumbnailScalesNeverOutgrowTheSource) {
    const TThumbSizeMode modes[] = {TThumbSizeMode::limit, TThumbSizeMode::hardLimit,
                                    TThumbSizeMode::fit, TThumbSizeMode::stretch};
    for (const TThumbSizeMode mode : modes) {
        for (const int box : {50, 150, 360}) {
            for (const TSize source : {TSize{4000, 3000}, TSize{1000, 750}, TSize{300, 900},
                                       TSize{700, 90}, TSize{360, 360}, TSize{120, 80}}) {
                const TFSC_Images images = ImagesWith(mode, box);
                const auto scales = ThumbScaleVariants(images, "p_th.jpg", source);
                TSize before = ThumbnailFileSize(
                    images, ThumbnailSize(mode, source.Width, source.Height, box, box));
                for (const TVariant& scale : scales) {
                    SCOPED_TRACE(::testing::Message()
                                 << int(mode) << " box " << box << " source " << source.Width << "x"
                                 << source.Height << " scale " << scale.Scale);
                    EXPECT_LE(scale.Size.Width, source.Width);
                    EXPECT_LE(scale.Size.Height, source.Height);
                    EXPECT_TRUE(scale.Size.Width > before.Width ||
                                scale.Size.Height > before.Height);
                    before = scale.Size;
                }
            }
        }
    }
}

TEST(PictureVariants, ThumbnailScalesAsFarAsTheSourceAllows) {
    const TFSC_Images images = ImagesWith(TThumbSizeMode::limit, 360);
    const auto scales = [&](TSize source) {
        std::vector<int> found;
        for (const TVariant& v : ThumbScaleVariants(images, "p_th.jpg", source))
            found.push_back(v.Scale);
        return found;
    };
    EXPECT_EQ(scales({4000, 3000}), (std::vector<int>{2, 3}));
    EXPECT_EQ(scales({1000, 750}), (std::vector<int>{2})) << "3x would need 1080 pixels";
    EXPECT_EQ(scales({1079, 809}), (std::vector<int>{2, 3})) << "a pixel short is rounding";
    EXPECT_EQ(scales({360, 200}), (std::vector<int>{})) << "the 1x thumbnail is the source";
    // Hard limit cuts to the scaled box: 3x of a 100 box from a 400 x 300 source is 300 x 300.
    const auto cut =
        ThumbScaleVariants(ImagesWith(TThumbSizeMode::hardLimit, 100), "p_th.jpg", {400, 300});
    ASSERT_EQ(cut.size(), 2u);
    EXPECT_EQ(cut[1].Size, (TSize{300, 300}));
    EXPECT_EQ(cut[1].Box, (TSize{300, 300}));
}

TEST(PictureVariants, CopyStepsLieBelowTheCopy) {
    const auto widths = [](TSize copy) {
        std::vector<int> found;
        for (const TVariant& v : CopyStepVariants("p.jpg", copy)) {
            EXPECT_LT(std::max(v.Size.Width, v.Size.Height), std::max(copy.Width, copy.Height));
            found.push_back(v.Size.Width);
        }
        return found;
    };
    EXPECT_EQ(widths({1600, 900}), (std::vector<int>{640, 1280}));
    EXPECT_EQ(widths({900, 1600}), (std::vector<int>{360, 720})) << "the longer side counts";
    EXPECT_EQ(widths({640, 480}), (std::vector<int>{})) << "a step the copy's size is no step";
    EXPECT_EQ(widths({6000, 4000}), (std::vector<int>{640, 1280, 1920, 2560}));
}

TEST(PictureVariants, NamesKeepTheJpegsExtensionAndTellTheFormat) {
    TFSC_Images images = ImagesWith(TThumbSizeMode::limit, 100);
    images.Variants.Avif = false;
    std::vector<std::string> names;
    for (const TVariant& v : CopyVariants(images, "my.photo.JPEG", {1400, 1000}))
        names.push_back(v.Name);
    EXPECT_EQ(names, (std::vector<std::string>{"my.photo-640.JPEG", "my.photo-1280.JPEG",
                                               "my.photo-640.webp", "my.photo-1280.webp",
                                               "my.photo.webp"}));
    images.ImagesAreThumbs = true;
    EXPECT_TRUE(ThumbVariants(images, "my.photo.JPEG", {1400, 1000}).empty());
}

// A gallery whose schemes use every tag, as the shipped templates do.
struct TVariantGallery : test::TBuildFixture {
    TVariantGallery() : TBuildFixture(2, 1400, 1000) {
        Images.ThumbWidth = Images.ThumbHeight = 200;
        Images.WriteWebp = true;
        HTML.LinkToHTML = true;
        HTML.ThumbScheme = {
            "<picture><!-THUMBSOURCES-><img src=\"<!-THUMBURL->\" "
            "srcset=\"<!-THUMBSRCSET->\"></picture>"};
        HTML.ImageScheme = {
            "<picture><!-IMAGESOURCES-><img src=\"<!-IMAGEURL->\" "
            "srcset=\"<!-IMAGESRCSET->\" sizes=\"<!-IMAGESIZES->\"></picture>"};
    }
    std::set<std::string> ImageFiles() const {
        std::set<std::string> names;
        for (const TDirEntry& entry : ListDirectory(Site + "/images")) names.insert(entry.Name);
        return names;
    }
};

// Every candidate of every srcset in `page`, as [url, descriptor].
std::vector<std::pair<std::string, std::string>> Candidates(const std::string& page) {
    std::vector<std::pair<std::string, std::string>> found;
    const std::regex srcset("srcset=\"([^\"]*)\"");
    for (auto it = std::sregex_iterator(page.begin(), page.end(), srcset);
         it != std::sregex_iterator(); ++it) {
        std::stringstream list((*it)[1].str());
        std::string candidate;
        while (std::getline(list, candidate, ',')) {
            std::stringstream words(candidate);
            std::string url, descriptor;
            words >> url >> descriptor;
            found.emplace_back(url, descriptor);
        }
    }
    return found;
}

TEST(VariantBuild, EveryCandidateIsAFileOfTheNamedSize) {
    TVariantGallery gallery;
    gallery.Build();
    int checked = 0;
    const TSize thumb1x{200, 142};
    for (const std::string& page :
         {gallery.Page("index.html"), gallery.Image("image_photo0.jpg.html")}) {
        const bool imagePage = page.find("image_") != std::string::npos;
        for (const auto& [url, descriptor] : Candidates(ReadFileBytes(page))) {
            SCOPED_TRACE(url + " " + descriptor);
            const std::string path = imagePage ? gallery.Image(url) : gallery.Site + "/" + url;
            ASSERT_TRUE(FileExists(path));
            const TBitmap picture = test::ReadPicture(path);
            if (descriptor.back() == 'w') {
                EXPECT_EQ(std::to_string(picture.Width) + "w", descriptor);
            } else {
                const int scale = std::stoi(descriptor);
                EXPECT_NEAR(picture.Width, thumb1x.Width * scale, 1);
                EXPECT_NEAR(picture.Height, thumb1x.Height * scale, 2);
            }
            ++checked;
        }
    }
    // 1x, 2x, 3x in JPEG and WebP; 640, 1280 and the copy in JPEG and WebP.
    EXPECT_EQ(checked, 2 * 6 + 6);
}

// A gallery built into the photos' own folder keeps the originals: nothing is made beside a
// picture that is its own copy, and its page offers that picture alone.
TEST(VariantBuild, AnOriginalThatIsItsOwnCopyIsOfferedAlone) {
    TVariantGallery gallery;
    ForceDirectories(gallery.Site + "/images");
    test::WritePicture(gallery.Image("own.jpg"), 1400, 1000);
    TThumbnail own;
    own.FileName = gallery.Image("own.jpg");
    own.Name = "own.jpg";
    gallery.Thumbs.push_back(own);
    gallery.Images.KeepOriginals = true;
    gallery.Build();
    EXPECT_FALSE(FileExists(gallery.Image("own-640.jpg")));
    EXPECT_FALSE(FileExists(gallery.Image("own.webp")));
    EXPECT_TRUE(FileExists(gallery.Image("own_th-2x.webp"))) << "its thumbnails are the gallery's";
    const std::string page = ReadFileBytes(gallery.Image("image_own.jpg.html"));
    EXPECT_EQ(Candidates(page),
              (std::vector<std::pair<std::string, std::string>>{{"own.jpg", "1400w"}}))
        << page;
    EXPECT_EQ(page.find("<source"), std::string::npos) << page;
}

TEST(VariantBuild, UndoRemovesEveryExtraFile) {
    TVariantGallery gallery;
    gallery.Build();
    const std::set<std::string> written = gallery.ImageFiles();
    EXPECT_TRUE(written.count("photo0_th-3x.webp")) << "the gallery has its extra files";
    for (const std::string& name : written) {
        const std::string path = gallery.Image(name);
        EXPECT_NE(std::find(gallery.Journal.CreatedFiles.begin(),
                            gallery.Journal.CreatedFiles.end(), path),
                  gallery.Journal.CreatedFiles.end())
            << name << " is not in the undo list";
        if (name.find(".html") != std::string::npos) continue;
        EXPECT_NE(std::find(gallery.Journal.Outputs.begin(), gallery.Journal.Outputs.end(), path),
                  gallery.Journal.Outputs.end())
            << name << " is not among the files to publish";
    }
    UndoGallery(gallery.Journal, gallery.Thumbs);
    EXPECT_FALSE(DirectoryExists(gallery.Site));
}

TEST(VariantBuild, PagesWithoutTheTagsGetNoExtraFiles) {
    test::TBuildFixture gallery(1, 1400, 1000);
    gallery.Images.WriteWebp = gallery.Images.WriteAvif = true;
    gallery.Build();
    EXPECT_EQ(ListDirectory(gallery.Site + "/images").size(), 2u) << "the copy and the thumbnail";
    EXPECT_EQ(ReadFileBytes(gallery.Page("index.html")).find("srcset"), std::string::npos);
}

// The pictures a build wrote, by the undo list's record.
std::multiset<std::string> PicturesWritten(const TBuildJournal& journal) {
    std::multiset<std::string> written;
    for (const std::string& path : journal.CreatedFiles)
        if (path.find(".html") == std::string::npos) written.insert(path);
    return written;
}

TEST(VariantBuild, AnUnchangedRebuildMakesNothingAndAMissingFileIsMadeAgain) {
    for (const bool cache : {false, true}) {
        SCOPED_TRACE(cache ? "with the image cache" : "by the records");
        TVariantGallery gallery;
        if (cache) gallery.CacheFolder = gallery.State + "/cache";
        gallery.Build();
        const std::multiset<std::string> first = PicturesWritten(gallery.Journal);
        gallery.FreshSettings();
        gallery.Build();
        EXPECT_EQ(PicturesWritten(gallery.Journal), first) << "nothing written again";
        DeleteFileIfExists(gallery.Image("photo1-640.webp"));
        gallery.FreshSettings();
        gallery.Build();
        EXPECT_TRUE(FileExists(gallery.Image("photo1-640.webp")));
        std::multiset<std::string> again = PicturesWritten(gallery.Journal);
        for (const std::string& path : first) again.erase(again.find(path));
        for (const std::string& path : again)
            EXPECT_NE(path.find("/photo1"), std::string::npos) << "only the picture it belongs to";
    }
}

TEST(VariantBuild, TurningWebpOffTakesItsFilesAwayFromPagesAndDisk) {
    TVariantGallery gallery;
    gallery.Build();
    gallery.Journal.EarlierOutputs = gallery.Journal.Outputs;
    gallery.FreshSettings();
    gallery.Images.WriteWebp = false;
    gallery.Build();
    RemoveStaleOutputs(gallery.Journal, gallery.State + "/temp", gallery.Random, gallery.Thumbs);
    for (const std::string& name : gallery.ImageFiles())
        EXPECT_EQ(name.find(".webp"), std::string::npos) << name;
    const std::string index = ReadFileBytes(gallery.Page("index.html"));
    EXPECT_EQ(index.find("<source"), std::string::npos) << index;
    EXPECT_NE(index.find("photo0_th-2x.jpg 2x"), std::string::npos) << index;
}

}  // namespace
}  // namespace fsc
