// Image data tags, page names, calculated values and head insertion.
#include <gtest/gtest.h>

#include "engine/CalculatedValues.h"
#include "engine/EngineFixture.h"
#include "engine/FinishPage.h"
#include "engine/HeadInsertion.h"
#include "engine/ImageDataTags.h"
#include "engine/PageFileName.h"

namespace fsc {
namespace {

TEST(ImageDataTags, CellAndImagePageColumns) {
    TThumbnail thumb = test::SampleThumb(3);
    thumb.Name = "my_photo.jpg";
    thumb.Link = "image_my_photo.jpg.html";
    thumb.OtherLink = "http://x";
    thumb.FieldA = "A";
    thumb.FieldB = "B";
    thumb.FieldC = "C1\r\nC2";
    const std::string text =
        "<!-HINT-> <!-DESCRIPTION-> <!-NAME-> <!-NAMEUS-> <!-SIZE-> <!-NUMBER-> <!-LINK-> "
        "<!-IMAGEURL-> <!-THUMBURL-> <!-OTHERLINKURL-> <!-FIELDA-><!-FIELDB-><!-FIELDC-> "
        "<!-IMAGEDIR->";
    EXPECT_EQ(ApplyImageDataTags(text, thumb, 7, "images/", TTagPlace::Cell, {}),
              "Hint 3 Description 3 my_photo.jpg my photo.jpg 1003 7 "
              "images/image_my_photo.jpg.html images/my_photo.jpg images/photo3_th.jpg "
              "http://x ABC1\r\nC2 images/");
    EXPECT_EQ(ApplyImageDataTags(text, thumb, 7, "images/", TTagPlace::ImagePage, {}),
              "Hint 3 Description 3 my_photo.jpg my photo.jpg 1003 7 "
              "image_my_photo.jpg.html my_photo.jpg photo3_th.jpg "
              "http://x ABC1\r\nC2 <!-IMAGEDIR->");
}

// Whatever a file is called, its address works and its name shows as written; an address
// with a scheme is never put below the image folder.
TEST(ImageDataTags, NamesBecomeAddressesAndTextSafely) {
    TThumbnail thumb = test::SampleThumb(1);
    thumb.Name = "x\"onerror=\"a #1?.jpg";
    thumb.Link = thumb.Name;
    thumb.ThumbName = "x\"onerror=\"a #1?_th.jpg";
    thumb.Hint = "say \"hi\" & <b>bye</b>";
    const std::string text = "<!-IMAGEURL->|<!-THUMBURL->|<!-LINK->|<!-NAME->|<!-HINT->";
    EXPECT_EQ(ApplyImageDataTags(text, thumb, 1, "my images/", TTagPlace::Cell, {}),
              "my%20images/x%22onerror=%22a%20%231%3F.jpg|"
              "my%20images/x%22onerror=%22a%20%231%3F_th.jpg|"
              "my%20images/x%22onerror=%22a%20%231%3F.jpg|x&quot;onerror=&quot;a #1?.jpg|"
              "say &quot;hi&quot; &amp; &lt;b&gt;bye&lt;/b&gt;");
    thumb.useOtherLink = true;
    thumb.Link = "http://example.org/a?b=1&c=2";
    EXPECT_EQ(ApplyImageDataTags("<!-LINK->", thumb, 1, "images/", TTagPlace::Cell, {}),
              "http://example.org/a?b=1&amp;c=2");
}

TEST(ImageDataTags, NameAltAndCopySizeForPagesThatWriteTheirOwnPicture) {
    TThumbnail thumb = test::SampleThumb(1);
    thumb.Name = "Harbour_at_dawn.v2.jpg";
    const std::string text = "<!-CAPTION->|<!-ALT->|<!-COPYWIDTH->x<!-COPYHEIGHT->";
    EXPECT_EQ(ApplyImageDataTags(text, thumb, 1, "", TTagPlace::ImagePage, {1024, 683}),
              "Harbour at dawn.v2|Hint 1|1024x683");
    thumb.Hint = "";
    thumb.Name = "<b>.jpg";
    // Unknown sizes print nothing rather than a made-up number.
    EXPECT_EQ(ApplyImageDataTags(text, thumb, 1, "", TTagPlace::Cell, {}), "&lt;b&gt;|&lt;b&gt;|x");
    thumb.Name = "no_extension";
    EXPECT_EQ(ApplyImageDataTags("<!-ALT->", thumb, 1, "", TTagPlace::Cell, {}), "no extension");
}

TEST(ImageDataTags, CopySizeFollowsTheCopyStep) {
    TThumbnail thumb;
    TFSC_Images images;
    EXPECT_EQ(CopySizeOf(thumb, images), (TSize{0, 0})) << "never measured";
    thumb.ImageWidth = 3000;
    thumb.ImageHeight = 2000;
    images.ResizeImages = false;
    EXPECT_EQ(CopySizeOf(thumb, images), (TSize{3000, 2000}));
    images.ResizeImages = true;
    images.ResizeWidth = 1600;
    images.ResizeHeight = 1600;
    EXPECT_EQ(CopySizeOf(thumb, images), (TSize{1600, 1066}));
    images.ResizeWidth = -1;
    images.ResizeHeight = 1000;
    EXPECT_EQ(CopySizeOf(thumb, images), (TSize{1500, 1000}));
}

TEST(ImageDataTags, AValueHoldingItsOwnTagIsInsertedOnce) {
    TThumbnail thumb;
    thumb.Description = "<!-DESCRIPTION->";
    EXPECT_EQ(
        ApplyImageDataTags("<!-DESCRIPTION->|<!-DESCRIPTION->", thumb, 0, "", TTagPlace::Cell, {}),
        "<!-DESCRIPTION->|<!-DESCRIPTION->");
}

TEST(ImageDataTags, KilobytesCountIn1028ByteUnits) {
    const std::pair<int, const char*> cases[] = {{2056, "2.0"}, {1541, "1.4"}, {0, "0.0"},
                                                 {1027, "0.9"}, {1028, "1.0"}, {102400, "99.6"}};
    for (const auto& [size, expected] : cases) EXPECT_EQ(SizeKBText(size), expected) << size;
}

TEST(PageFileName, NumbersGoBeforeTheExtension) {
    struct Case {
        const char* name;
        const char* ext;
        int number;
        const char* expected;
    };
    const Case cases[] = {
        {"index.html", "html", 1, "index.html"}, {"index.html", "html", 2, "index2.html"},
        {"index.html", "php", 3, "index3.html"}, {"index", "htm", 1, "index.htm"},
        {"index", "htm", 12, "index12.htm"},     {"sub/gal.htm", "html", 2, "sub/gal2.htm"},
        {"index.html", "html", 0, "index.html"}, {"index.html", "html", -1, "index.html"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PageFileName(c.name, c.ext, c.number), c.expected)
            << c.name << " " << c.ext << " " << c.number;
    }
}

TEST(CalculatedValues, WordsAndNestedOperators) {
    test::TEngineFixture gallery(4);
    gallery.Images.ResizeWidth = 800;
    gallery.HTML.Rows = 2;
    gallery.HTML.Cols = 3;
    const std::pair<const char*, const char*> cases[] = {
        {"<!-THUMBHEIGT->x<!-THUMBWIDTH->", "70x70"},
        {"<!-THUMBHEIGHT->", "<!-THUMBHEIGHT->"},
        {"<!-IMAGEWIDTH->/<!-IMAGEHEIGHT->", "800/-1"},
        {"<!-COLCOUNT-><!-ROWCOUNT-><!-THUMBCOUNT->", "324"},
        {"<!-ADD-><!-<!-THUMBWIDTH->-><!-20-><!-/->", "90"},
        {"<!-SUB-><!- 5 -><!-7-><!-/->", "-2"},
        {"<!-MUL-><!-3-><!-4-><!-/->", "12"},
        {"<!-DIV-><!-7-><!-2-><!-/->", "3"},
        {"<!-DIV-><!--7-><!-2-><!-/->", "-3"},
        {"w=<!-ADD-><!-<!-MUL-><!-<!-COLCOUNT->-><!-<!-THUMBWIDTH->-><!-/->-><!-10-><!-/->px",
         "w=220px"},
        {"<!-ADD-><!-a-><!-1-><!-/->", "a1"},
        {"<!-MUL-><!-x-><!-3-><!-/->", "x3"},
        {"<!-MUL-><!-3-><!-ab-><!-/->", "ababab"},
        {"<!-MUL-><!--2-><!-ab-><!-/->", ""},
        {"<!-DIV-><!-5-><!-0-><!-/->", "50"},
        {"<!-DIV-><!-5-><!-q-><!-/->", "5q"},
        {"<!-ADD-><!-1->", "<!-ADD-><!-1->"},
        {"<!-UNKNOWN-> <!-THUMBWIDTH->", "<!-UNKNOWN-> 70"},
        {"<!-MUL-><!-2000000000-><!-3-><!-/->", "6000000000"},
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(ApplyCalculatedValues(gallery.Context, text), expected) << text;
    }
    // Repetition is bounded, however large the count a template asks for.
    EXPECT_LE(ApplyCalculatedValues(gallery.Context, "<!-MUL-><!-2000000000-><!-ab-><!-/->").size(),
              1u << 20);
}

TEST(HeadInsertion, MetaTagsAndScriptAfterTheHeadTag) {
    test::TEngineFixture gallery(2);
    TFSC_HTML& html = gallery.HTML;
    html.MetaAuthor = html.MetaKeywords = html.MetaDescription = html.DisableRightButton = true;
    html.AuthorText = "Ann";
    html.KeywordsText = "trip, sea";
    html.DescriptionText = "Holiday";
    gallery.Thumbs[1].Hint = "Sunset \"Big Sky\", at; sea!";
    gallery.Thumbs[1].Description = "long.beach red";
    TFSC_File page;
    page.FileName = "image_photo1.jpg";
    page.ImageNumber = 2;
    page.Lines = {"<html><head  lang=\"en\"><title>x</title></head><body></body></html>"};
    test::ExpectGolden("head_insertion.html",
                       InsertIntoHead(JoinLines(page.Lines), HeadText(gallery.Context, page)));
}

TEST(HeadInsertion, PlacementRules) {
    struct Case {
        const char* what;
        std::string page;
        std::string head;
        std::string expected;
    };
    const Case cases[] = {
        {"after the head tag", "<html><HEAD>x", "<M>", "<html><HEAD><M>x"},
        {"lower case head", "<head id=1>x", "<M>", "<head id=1><M>x"},
        {"no > within 100 characters: at the tag", "a<head" + std::string(120, ' ') + ">", "<M>",
         "a<M><head" + std::string(120, ' ') + ">"},
        {"no head: after the document type and html tag", "<!doctype html>\n<html lang=en><body>",
         "<M>", "<!doctype html>\n<html lang=en><M><body>"},
        {"nothing to pass over: at the page start", "<body>", "<M>", "<M><body>"},
        {"blank text inserts nothing", "<head>", " \r\n", "<head>"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(InsertIntoHead(c.page, c.head), c.expected) << c.what;
    }
}

TEST(HeadInsertion, KeywordsOfThumbnailPagesAndEmptyOptions) {
    test::TEngineFixture gallery(2);
    gallery.HTML.MetaKeywords = true;
    TFSC_File page;
    page.FileName = "index.html";
    page.PageNumber = 1;
    EXPECT_EQ(HeadText(gallery.Context, page),
              "<META NAME=\"Keywords\" CONTENT=\"index.html, index\"> \r\n");
    gallery.HTML.KeywordsFromName = false;
    gallery.HTML.KeywordsText = "k";
    EXPECT_EQ(HeadText(gallery.Context, page), "<META NAME=\"Keywords\" CONTENT=\"k,\"> \r\n");
    gallery.HTML.MetaKeywords = false;
    EXPECT_EQ(HeadText(gallery.Context, page), "");
}

TEST(Finishing, ReplacementsInTheirOrder) {
    test::TEngineFixture gallery(3);
    gallery.Template.Parameters = {{"Title", "", "My <!-NAME->", ParameterText},
                                   {"Back", "", "navy", ParameterColour}};
    gallery.HTML.Files.push_back({{}, "", "gallery.htm", "", 1, 0});
    gallery.HTML.PageExt = "php";
    TFSC_File page{{}, "sub\\deeper", "about.htm", "", 0, 0};
    const std::string text =
        "<!-PARA=Title->|<!!replaceWithBack!!>|<!!replaceWithGalleryFile!!>|"
        "<!!replaceWithThumbWidth!!>x<!!replaceWithThumbHeight!!>|<!-ORVIKLINK->|<!-MAINDIR->|"
        "<!-IMAGEDIR->|<!-BACKTOGALLERY->|<!-ADD-><!-<!-THUMBWIDTH->-><!-20-><!-/->";
    // The parameter's value is inserted before NAME is replaced, so a NAME tag in it is
    // filled too; the gallery file is reached from the page's own folder, under the name it
    // is written with (its own extension, not the default one).
    EXPECT_EQ(FinishText(gallery.Context, page, text),
              "My about|navy|../../gallery.htm|113x146||../../|../../images/|../../index.html|90");
}

TEST(Finishing, MainDirCountsLevelsWithEitherSeparator) {
    const std::pair<const char*, const char*> cases[] = {
        {"", ""},
        {"sub", "../"},
        {"sub\\deeper", "../../"},
        {"sub/deeper", "../../"},
        {"images/", "../"},
        {"a/b/", "../../"},
        {"a\\b/", "../../"},
        // "." is no level of its own: an image directory "." is the HTML directory.
        {".", ""},
        {"./", ""},
        {"./pics/./", "../"},
        {"a/../b/", "../"}};
    for (const auto& [subDir, expected] : cases) EXPECT_EQ(MainDirText(subDir), expected) << subDir;
}

TEST(Finishing, ImageDirIsEmptyOnPagesInsideIt) {
    test::TEngineFixture gallery(1);
    TFSC_File imagePage{{}, "images/", "image_photo0.jpg", "", 0, 1};
    TFSC_File basePage{{}, "", "index.html", "", 1, 0};
    EXPECT_EQ(FinishText(gallery.Context, imagePage, "[<!-IMAGEDIR->]<!-NAME->"), "[]image_photo0");
    EXPECT_EQ(FinishText(gallery.Context, basePage, "[<!-IMAGEDIR->]<!-NAME->"), "[images/]index");
}

}  // namespace
}  // namespace fsc
