#include <gtest/gtest.h>

#include "base/Errors.h"
#include "base/Files.h"
#include "base/Paths.h"
#include "ftp/GalleryUpload.h"
#include "support/TempDir.h"

namespace fsc {
namespace {

class GalleryUploadJobsTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name :
             {"index.html", "page2.html", "images/a.jpg", "images/a_t.jpg", "images/b.jpg",
              "images/b_t.jpg", "images/a.html", "images/collage.jpg", "extra/about.html",
              "css/style.css", "logo.png"}) {
            ForceDirectories(ExtractFileDir(html / name));
            WriteFileBytes(html / name, name);
        }
        upload.HTMLDir = html.Path();
        upload.ImageDir = "images";
        upload.HTMLFile = "index.html";
        upload.Pages = {{"index.html", "", 1, 0},
                        {"page2.html", "", 2, 0},
                        {"a.html", "", 0, 1},
                        {"about.html", "extra", 0, 0}};
        upload.Images = {{"a.jpg", "a_t.jpg"}, {"b.jpg", "b_t.jpg"}};
        upload.ExtraImages = {"/elsewhere/build/collage.jpg"};
        upload.CopyFiles = {{"css", "style.css"}, {"", "logo.png"}};
        upload.WWWAddress = "http://example.org";
        upload.RemotePath = "/www";
    }

    test::TempDir html;
    TGalleryUpload upload;
};

TEST_F(GalleryUploadJobsTest, SendsPagesThenTheImageFolderThenSubfoldersAndTemplateFiles) {
    upload.SubDir = "gal";
    EXPECT_EQ(
        GalleryUploadJobs(upload),
        (TStringList{
            "WebChDir;gal",  "List;",          "Up;index.html",
            "Up;page2.html", "ChDir;images",   "Up;a.html",
            "Up;a.jpg",      "Up;a_t.jpg",     "Up;b.jpg",
            "Up;b_t.jpg",    "Up;collage.jpg", "ChDir;..",
            "ChDir;extra",   "Up;about.html",  "ChDir;..",
            "ChDir;css",     "Up;style.css",   "ChDir;..",
            "Up;logo.png",   "List;",          "Browser;http://example.org/www/gal/index.html"}));
}

TEST_F(GalleryUploadJobsTest, EdgeCasesOfTheJobList) {
    const struct {
        const char* what;
        std::function<void(TGalleryUpload&)> change;
        std::function<void(const TStringList&)> check;
    } cases[] = {
        {"images = thumbnails sends each image twice",
         [](TGalleryUpload& u) {
             u.Images = {{"a.jpg", "a.jpg"}};
         },
         [](const TStringList& jobs) {
             EXPECT_EQ(std::count(jobs.begin(), jobs.end(), "Up;a.jpg"), 2);
         }},
        {"an empty subdirectory uploads into the current remote folder",
         [](TGalleryUpload& u) { u.SubDir = ""; },
         [](const TStringList& jobs) {
             EXPECT_EQ(jobs.front(), "List;");
             EXPECT_EQ(jobs.back(), "Browser;http://example.org/www/index.html");
         }},
        {"a root remote path gives no doubled separator",
         [](TGalleryUpload& u) { u.RemotePath = "/"; },
         [](const TStringList& jobs) {
             EXPECT_EQ(jobs.back(), "Browser;http://example.org/index.html");
         }},
        {"an address typed with its closing / gives no doubled separator",
         [](TGalleryUpload& u) { u.WWWAddress = "http://example.org/"; },
         [](const TStringList& jobs) {
             EXPECT_EQ(jobs.back(), "Browser;http://example.org/www/index.html");
         }},
        {"a blank WWW address opens no browser", [](TGalleryUpload& u) { u.WWWAddress = "  "; },
         [](const TStringList& jobs) { EXPECT_EQ(jobs.back(), "List;"); }},
        {"without an image directory the images go beside the pages",
         [](TGalleryUpload& u) {
             u.ImageDir = "";
             u.Images = {{"logo.png", "logo.png"}};
             u.Pages = {};
             u.ExtraImages = {};
             u.CopyFiles = {};
         },
         [](const TStringList& jobs) {
             EXPECT_EQ(jobs, (TStringList{"List;", "Up;logo.png", "Up;logo.png", "List;",
                                          "Browser;http://example.org/www/index.html"}));
         }},
        {"the pages of a gallery file in a folder go there, one level at a time",
         [](TGalleryUpload& u) {
             for (const char* name : {"in/deep/index.html", "in/deep/page2.html"}) {
                 ForceDirectories(ExtractFileDir(u.HTMLDir + "/" + name));
                 WriteFileBytes(u.HTMLDir + "/" + name, name);
             }
             u.HTMLFile = "in\\deep/index.html";
             u.Pages = {{"index.html", "", 1, 0}, {"page2.html", "", 2, 0}};
             u.Images = {};
             u.ExtraImages = {};
             u.CopyFiles = {};
         },
         [](const TStringList& jobs) {
             EXPECT_EQ(jobs, (TStringList{"List;", "ChDir;in", "ChDir;deep", "Up;index.html",
                                          "Up;page2.html", "ChDir;..", "ChDir;..", "ChDir;images",
                                          "ChDir;..", "List;",
                                          "Browser;http://example.org/www/in/deep/index.html"}));
         }},
        {"entries without a file are left out",
         [](TGalleryUpload& u) {
             u.Images = {{"", ""}, {"missing.jpg", "missing_t.jpg"}, {"b.jpg", "b_t.jpg"}};
         },
         [](const TStringList& jobs) {
             EXPECT_EQ(std::count_if(jobs.begin(), jobs.end(),
                                     [](const std::string& j) {
                                         return j.find("missing") != std::string::npos;
                                     }),
                       0);
             EXPECT_NE(std::find(jobs.begin(), jobs.end(), "Up;b_t.jpg"), jobs.end());
             EXPECT_EQ(std::find(jobs.begin(), jobs.end(), "Up;"), jobs.end());
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TGalleryUpload changed = upload;
        c.change(changed);
        c.check(GalleryUploadJobs(changed));
    }
}

}  // namespace
}  // namespace fsc
