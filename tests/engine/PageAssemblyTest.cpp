// Putting the gallery into thumbnail pages and the image into image pages, and a whole
// page through both passes.
#include <gtest/gtest.h>

#include "engine/AssemblePages.h"
#include "engine/EngineFixture.h"
#include "engine/FinishPage.h"
#include "engine/PageContent.h"

namespace fsc {
namespace {

// A paragraph of one slot whose cell is the image name keeps expected pages short.
struct ShortGallery : test::TEngineFixture {
    ShortGallery() : TEngineFixture(3) {
        HTML.Layout = LayoutParagraph;
        HTML.Rows = 1;
        HTML.Cols = 1;
        HTML.ThumbScheme = {"<!-NAME->"};
        HTML.GalleryScheme = {"[<!-GALLERY->]"};
        SetPages();
    }
};

const std::string Gallery2 =
    "[<p class=\"\" align=\"left\">\r\n\r\nphoto1.jpg\r\n\r\n\r\n</p>\r\n]\r\n";

TEST(ThumbnailPageContent, WhereTheGalleryGoes) {
    struct Case {
        const char* what;
        std::string page;
        std::string expected;
    };
    const Case cases[] = {
        {"every FOLIOSCOPE tag", "a<!-FOLIOSCOPE->b<!-FOLIOSCOPE->",
         "a" + Gallery2 + "b" + Gallery2 + "\r\n"},
        {"the add-here tag when there is no FOLIOSCOPE tag", "a<!- !RirevidedOzizidoAddHere! ->b",
         "a" + Gallery2 + "b\r\n"},
        {"before a lower-case body end", "<body>x</body></html>",
         "<body>x" + Gallery2 + "\r\n</body></html>\r\n"},
        {"appended without a body end", "<p>x</p>", "<p>x</p>\r\n\r\n" + Gallery2},
    };
    for (const Case& c : cases) {
        ShortGallery gallery;
        TFSC_File page{SplitLines(c.page), "", "index.html", "", 2, 0};
        ThumbnailPageContent(gallery.Context, page);
        EXPECT_EQ(JoinLines(page.Lines), c.expected) << c.what;
    }
}

TEST(ThumbnailPageContent, LastPageStopsAtTheLastImage) {
    ShortGallery gallery;
    gallery.HTML.Rows = 2;
    gallery.SetPages();
    TFSC_File page{{"<!-FOLIOSCOPE->"}, "", "index.html", "", 2, 0};
    ThumbnailPageContent(gallery.Context, page);
    EXPECT_EQ(JoinLines(page.Lines),
              "[<p class=\"\" align=\"left\">\r\n\r\nphoto2.jpg\r\n\r\n\r\n &nbsp; "
              "\r\n</p>\r\n]\r\n\r\n");
}

TEST(ImagePageContent, SchemeDataAndNeighbours) {
    test::TEngineFixture gallery(4);
    gallery.HTML.Rows = 1;
    gallery.HTML.Cols = 2;
    gallery.SetPages();
    gallery.HTML.ImageDir = "pics/2024/";
    for (TThumbnail& thumb : gallery.Thumbs) thumb.Link = "image_" + thumb.Name + ".html";
    gallery.Thumbs[1].noImage = true;
    gallery.HTML.Files = {{{}, "", "gal.htm", "", 1, 0}, {{}, "", "gal.htm", "", 2, 0}};
    TFSC_File page{{"<html>", "<!-IMAGE->", "<!-BACKTOGALLERY->",
                    "<!-PREVIOUS->,<!-PREVIOUSNAME-> <!-NEXT->,<!-NEXTNAME->", "</html>"},
                   "",
                   "image_photo2.jpg",
                   "",
                   0,
                   3};
    ImagePageContent(gallery.Context, page);
    EXPECT_EQ(page.SubDir, "pics/2024/");
    // The previous image is text only, so the page links to itself there; the image is on
    // thumbnail page 2 of the gallery.
    EXPECT_EQ(JoinLines(page.Lines),
              "<html>\r\n\r\n<img src=\"photo2.jpg\" alt=\"Hint 2\">\r\n\r\n"
              " <br> Description 2 \r\n<br><br><!-ORVIKLINK-> \r\n\r\n"
              "../../gal2.htm\r\n"
              "image_photo2.jpg.html,photo2.jpg image_photo3.jpg.html,photo3.jpg\r\n</html>\r\n");
}

TEST(ImagePageContent, SkeletonWithoutImageTagGetsTheSchemeAtItsEnd) {
    test::TEngineFixture gallery(2);
    gallery.SetPages();
    gallery.HTML.ImageScheme = {"<b><!-IMAGE-></b>"};
    TFSC_File page{{"<html></html>"}, "", "image_photo1.jpg", "", 0, 2};
    ImagePageContent(gallery.Context, page);
    EXPECT_EQ(JoinLines(page.Lines),
              "<html></html>\r\n<b>\r\n<img src=\"photo1.jpg\" alt=\"Hint 1\">\r\n\r\n</b>\r\n");
}

TEST(PageAssembly, DefaultTablePageThroughBothPasses) {
    test::TEngineFixture gallery(16);
    gallery.SetPages();
    gallery.HTML.MetaAuthor = true;
    gallery.HTML.AuthorText = "Ann";
    TFSC_File page{TTemplate::Create().IndexPage, "", "index.html", "", 2, 0};
    gallery.HTML.Files = {page};
    PageContent(gallery.Context, page);
    FinishPage(gallery.Context, page);
    test::ExpectGolden("table_index2.html", JoinLines(page.Lines));
}

TEST(PageAssembly, ImagePagesLinkToTheirNeighboursAfterTheCellsRewroteTheLinks) {
    test::TEngineFixture gallery(3);
    gallery.HTML.Rows = 1;
    gallery.HTML.Cols = 2;
    gallery.SetPages();
    gallery.HTML.LinkToHTML = true;
    gallery.HTML.ThumbScheme = {"<!-THUMB->"};
    for (TThumbnail& thumb : gallery.Thumbs) thumb.Link = thumb.Name;  // as the copy step leaves it
    const TStringList skeleton = {"<html><head></head><body>", "<!-IMAGE->",
                                  "<!-NAVIGATION-> | <!-BACKTOGALLERY-> | <!-IMAGEDIR->",
                                  "</body></html>"};
    gallery.HTML.ImageScheme = {"<!-IMAGE->"};
    gallery.HTML.Files = {{{"<!-FOLIOSCOPE->"}, "", "index.html", "", 1, 0},
                          {{"<!-FOLIOSCOPE->"}, "", "index.html", "", 2, 0},
                          {skeleton, "", "image_photo0.jpg", "", 0, 1},
                          {skeleton, "", "image_photo1.jpg", "", 0, 2},
                          {skeleton, "", "image_photo2.jpg", "", 0, 3}};
    AssemblePages(gallery.Context);
    std::string pages;
    for (const TFSC_File& page : gallery.HTML.Files) {
        pages += "=== " + page.SubDir + page.FileName + "\r\n" + JoinLines(page.Lines);
    }
    test::ExpectGolden("gallery_with_image_pages.html", pages);
}

}  // namespace
}  // namespace fsc
