// A later process skips what an earlier one made, and never serves a stale file.
#include <gtest/gtest.h>

#include "BuildFixture.h"
#include "base/Files.h"
#include "engine/ImageCache.h"
#include "engine/Undo.h"

namespace fsc::test {
namespace {

struct TLaterProcesses : TBuildFixture {
    TLaterProcesses() : TBuildFixture(3) {
        CacheFolder = State + "/cache";
        Images.ResizeImages = true;
        Images.ResizeWidth = Images.ResizeHeight = 200;
        Build();
    }

    // What a new process knows: the pictures, none of the records' memory of earlier builds.
    std::vector<std::string> BuildInANewProcess() {
        for (TThumbnail& thumb : Thumbs) {
            TThumbnail fresh;
            fresh.FileName = thumb.FileName;
            fresh.Name = thumb.Name;
            thumb = fresh;
        }
        Journal = TBuildJournal();
        FreshSettings();
        Build();
        std::vector<std::string> pictures;
        for (const std::string& file : Journal.CreatedFiles) {
            if (file.find("/images/") != std::string::npos) pictures.push_back(BaseName(file));
        }
        return pictures;
    }

    static std::string BaseName(const std::string& path) {
        return path.substr(path.find_last_of('/') + 1);
    }
};

TEST(ImageCache, ALaterProcessRemakesExactlyWhatChanged) {
    using Names = std::vector<std::string>;
    struct Case {
        const char* change;
        void (*apply)(TLaterProcesses&);
        Names remade;
    };
    const Case cases[] = {
        {"nothing", [](TLaterProcesses&) {}, {}},
        {"a source touched",
         [](TLaterProcesses& g) { WritePicture(g.Thumbs[1].FileName, 300, 200); },
         {"photo1.jpg", "photo1_th.jpg"}},
        {"the size limit",
         [](TLaterProcesses& g) { g.Images.ResizeWidth = 150; },
         {"photo0.jpg", "photo1.jpg", "photo2.jpg"}},
        {"the thumbnail box",
         [](TLaterProcesses& g) { g.Images.ThumbWidth = 50; },
         {"photo0_th.jpg", "photo1_th.jpg", "photo2_th.jpg"}},
        {"the watermark",
         [](TLaterProcesses& g) {
             g.Images.Watermark = true;
             g.Images.WatermarkText = {"(c)"};
             g.Images.WatermarkPositions[wpCenterMiddle] = true;
         },
         {"photo0.jpg", "photo1.jpg", "photo2.jpg"}},
        {"the resize method",
         [](TLaterProcesses& g) { g.Images.ResizeMethod = TResizeMethod::Classic; },
         {"photo0.jpg", "photo0_th.jpg", "photo1.jpg", "photo1_th.jpg", "photo2.jpg",
          "photo2_th.jpg"}},
        {"a copy deleted",
         [](TLaterProcesses& g) { DeleteFileIfExists(g.Image("photo2.jpg")); },
         {"photo2.jpg"}},
        {"a thumbnail edited",
         [](TLaterProcesses& g) { WriteFileBytes(g.Image("photo0_th.jpg"), "edited"); },
         {"photo0_th.jpg"}},
        {"a damaged cache file",
         [](TLaterProcesses& g) {
             for (const TDirEntry& entry : ListDirectory(g.CacheFolder)) {
                 const std::string file = g.CacheFolder + "/" + entry.Name;
                 const std::string bytes = ReadFileBytes(file);
                 WriteFileBytes(file, bytes.substr(0, bytes.size() - 7));
             }
         },
         {"photo0.jpg", "photo0_th.jpg", "photo1.jpg", "photo1_th.jpg", "photo2.jpg",
          "photo2_th.jpg"}},
        {"a cache file of something else",
         [](TLaterProcesses& g) {
             for (const TDirEntry& entry : ListDirectory(g.CacheFolder))
                 WriteFileBytes(g.CacheFolder + "/" + entry.Name, "\x89PNG\r\n");
         },
         {"photo0.jpg", "photo0_th.jpg", "photo1.jpg", "photo1_th.jpg", "photo2.jpg",
          "photo2_th.jpg"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.change);
        TLaterProcesses gallery;
        const std::string copy = ReadFileBytes(gallery.Image("photo1.jpg"));
        c.apply(gallery);
        EXPECT_EQ(gallery.BuildInANewProcess(), c.remade);
        // Whatever was skipped still has the sizes the pages show.
        for (const TThumbnail& thumb : gallery.Thumbs) {
            EXPECT_EQ(thumb.ImageWidth, thumb.FileName.find("photo1") != std::string::npos &&
                                                std::string(c.change) == "a source touched"
                                            ? 300
                                            : 400);
            EXPECT_GT(thumb.ThumbWidth, 0);
            EXPECT_EQ(thumb.FileSize, int(FileSize(gallery.Image(thumb.Name))));
        }
        if (c.remade.empty()) {
            EXPECT_EQ(ReadFileBytes(gallery.Image("photo1.jpg")), copy);
        }
        // A third process finds everything current again.
        EXPECT_EQ(gallery.BuildInANewProcess(), Names{});
    }
}

TEST(ImageCache, UndoPutsBackOnlyWhatTheUndoneBuildWrote) {
    TLaterProcesses gallery;
    const std::string firstThumbnail = ReadFileBytes(gallery.Image("photo0_th.jpg"));
    gallery.Images.ThumbWidth = 60;
    ASSERT_EQ(gallery.BuildInANewProcess().size(), 3u);
    UndoGallery(gallery.Journal, gallery.Thumbs);
    // The copies the first process made were skipped and stay; the thumbnails this process
    // replaced are the first process's again, and the next build does not take them for its
    // own.
    for (const char* copy : {"photo0.jpg", "photo1.jpg", "photo2.jpg"})
        EXPECT_TRUE(FileExists(gallery.Image(copy))) << copy;
    EXPECT_EQ(ReadFileBytes(gallery.Image("photo0_th.jpg")), firstThumbnail);
    EXPECT_EQ(gallery.BuildInANewProcess(),
              (std::vector<std::string>{"photo0_th.jpg", "photo1_th.jpg", "photo2_th.jpg"}));
}

}  // namespace
}  // namespace fsc::test
