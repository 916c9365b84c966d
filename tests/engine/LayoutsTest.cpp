// Thumbnail cells and the table, list and paragraph layouts.
#include <gtest/gtest.h>

#include <functional>

#include "engine/EngineFixture.h"
#include "engine/ThumbCell.h"
#include "engine/ThumbnailLayouts.h"

namespace fsc {
namespace {

const std::string PlainImg =
    "<img src=\"images/photo0_th.jpg\" alt=\"Hint 0\"  width=\"70\" height=\"52\" "
    "loading=\"lazy\">";

TEST(ThumbCell, LinksAndMarkup) {
    struct Case {
        const char* what;
        std::function<void(test::TEngineFixture&)> setup;
        std::string expected;
    };
    const Case cases[] = {
        {"links to the image copy", [](auto&) {},
         "\r\n<a href=\"images/photo0.jpg\"  >" + PlainImg + "</a>\r\n\r\n\r\n"},
        {"links to the image page",
         [](auto& g) {
             g.HTML.LinkToHTML = true;
             g.Thumbs[0].Name = "a.jpg";
         },
         "\r\n<a href=\"images/image_a.jpg.html\"  >" + PlainImg + "</a>\r\n\r\n\r\n"},
        {"an empty other link gives no link at all",
         [](auto& g) { g.Thumbs[0].useOtherLink = true; }, "\r\n" + PlainImg + "\r\n\r\n\r\n"},
        {"an other link is used as entered, trimmed",
         [](auto& g) {
             g.Thumbs[0].useOtherLink = true;
             g.Thumbs[0].OtherLink = " page.html ";
         },
         "\r\n<a href=\"page.html\"  >" + PlainImg + "</a>\r\n\r\n\r\n"},
        {"HTTP: in any case is used without the prefix",
         [](auto& g) { g.Thumbs[0].Link = "hTTp://example.org/a"; },
         "\r\n<a href=\"hTTp://example.org/a\"  >" + PlainImg + "</a>\r\n\r\n\r\n"},
        {"any scheme is used without the prefix",
         [](auto& g) { g.Thumbs[0].Link = "mailto:me@example.org"; },
         "\r\n<a href=\"mailto:me@example.org\"  >" + PlainImg + "</a>\r\n\r\n\r\n"},
        {"an absolute path is used without the prefix",
         [](auto& g) { g.Thumbs[0].Link = "/pics/a.jpg"; },
         "\r\n<a href=\"/pics/a.jpg\"  >" + PlainImg + "</a>\r\n\r\n\r\n"},
        {"target frame",
         [](auto& g) {
             g.HTML.UseTargetFrame = true;
             g.HTML.TargetFrame = "main";
         },
         "\r\n<a href=\"images/photo0.jpg\"  target=\"main\">" + PlainImg + "</a>\r\n\r\n\r\n"},
        {"Images = Thumbnails: only the picture's own size, never the box",
         [](auto& g) {
             g.Images.ImagesAreThumbs = true;
             g.Images.ThumbHeight = 80;
         },
         "\r\n<a href=\"images/photo0.jpg\"  >" + PlainImg + "</a>\r\n\r\n\r\n"},
        {"without a hint the picture's name names the link",
         [](auto& g) {
             g.Thumbs[0].Hint = " ";
             g.Thumbs[0].Name = "Tom_&_Jerry.jpeg";
         },
         "\r\n<a href=\"images/photo0.jpg\"  ><img src=\"images/photo0_th.jpg\" "
         "alt=\"Tom &amp; Jerry\"  width=\"70\" height=\"52\" loading=\"lazy\"></a>\r\n\r\n\r\n"},
        {"a hint's quotes cannot end the alt text",
         [](auto& g) { g.Thumbs[0].Hint = "The \"Old\" Mill &eacute;"; },
         "\r\n<a href=\"images/photo0.jpg\"  ><img src=\"images/photo0_th.jpg\" "
         "alt=\"The &quot;Old&quot; Mill &eacute;\"  width=\"70\" height=\"52\" "
         "loading=\"lazy\"></a>\r\n\r\n\r\n"},
        {"text-only entry shows its description",
         [](auto& g) {
             g.Thumbs[0].noImage = true;
             g.HTML.LinkToHTML = true;
         },
         "Description 0"},
        {"scheme without the thumbnail tag",
         [](auto& g) { g.HTML.ThumbScheme = {"<b><!-NAME-></b>"}; }, "<b>photo0.jpg</b>\r\n"},
        {"scheme around the thumbnail with data tags",
         [](auto& g) {
             g.HTML.ThumbScheme = {"<td><!-THUMB-></td>", "<!-HINT-> <!-IMAGEDIR->"};
         },
         "<td>\r\n<a href=\"images/photo0.jpg\"  >" + PlainImg +
             "</a>\r\n\r\n</td>\r\nHint 0 images/\r\n"},
    };
    for (const Case& c : cases) {
        test::TEngineFixture gallery(1);
        c.setup(gallery);
        EXPECT_EQ(ThumbCell(gallery.Context, 0, ""), c.expected) << c.what;
    }
}

TEST(ThumbCell, RewritesTheLinkForLaterPages) {
    test::TEngineFixture gallery(2);
    gallery.HTML.LinkToHTML = true;
    gallery.Thumbs[1].useOtherLink = true;
    gallery.Thumbs[1].OtherLink = " http://x/ ";
    ThumbCell(gallery.Context, 0, "");
    ThumbCell(gallery.Context, 1, "");
    EXPECT_EQ(gallery.Thumbs[0].Link, "image_photo0.jpg.html");
    EXPECT_EQ(gallery.Thumbs[1].Link, "http://x/");
}

TEST(TableHTML, SecondPageOfSixteenImagesHasFillerCells) {
    test::TEngineFixture gallery(16);
    gallery.Template.TableBorder = 2;
    gallery.Template.TableWidth = "100%";
    const std::string table = TableHTML(gallery.Context, 15, 15);
    test::ExpectGolden("table_page2.html", table);
    int fillers = 0;
    for (std::size_t at = table.find(FillerCell); at != std::string::npos;
         at = table.find(FillerCell, at + 1)) {
        ++fillers;
    }
    EXPECT_EQ(fillers, 14);
}

TEST(TableHTML, AlignmentsAreLeftOutWhenBlank) {
    test::TEngineFixture gallery(1);
    gallery.HTML.Rows = gallery.HTML.Cols = 1;
    gallery.Template.TableTDAlign = "";
    gallery.Template.TableCSS = "class=\"t\"";
    gallery.Thumbs[0].noImage = true;
    EXPECT_EQ(TableHTML(gallery.Context, 0, 0),
              "<table border=\"0\" class=\"t\" >\r\n\r\n<tr class=\"t\">\r\n"
              "<td class=\"t\"  valign=\"middle\">\r\nDescription 0\r\n</td>\r\n</tr>\r\n"
              "</table>\r\n\r\n");
}

TEST(ListHTML, OrderedListWithFiller) {
    test::TEngineFixture gallery(3);
    gallery.HTML.Rows = 4;
    gallery.HTML.Cols = 1;
    gallery.Template.OrderedList = true;
    gallery.Template.ListCSS = "class=\"thumbs\"";
    gallery.HTML.ThumbScheme = {"<!-NAME->"};
    EXPECT_EQ(ListHTML(gallery.Context, 1, 2),
              "<ol class=\"thumbs\">\r\n"
              "\r\n<li class=\"thumbs\">\r\nphoto1.jpg\r\n\r\n</li>\r\n"
              "\r\n<li class=\"thumbs\">\r\nphoto2.jpg\r\n\r\n</li>\r\n"
              " &nbsp; \r\n &nbsp; \r\n"
              "</ol>\r\n");
    gallery.Template.OrderedList = false;
    EXPECT_EQ(ListHTML(gallery.Context, 0, -1),
              "<ul class=\"thumbs\">\r\n &nbsp; \r\n &nbsp; \r\n &nbsp; \r\n &nbsp; \r\n</ul>\r\n");
}

TEST(ParagraphHTML, CellsAndFiller) {
    test::TEngineFixture gallery(2);
    gallery.HTML.Rows = 3;
    gallery.HTML.Cols = 1;
    gallery.Template.ParaAlign = "right";
    test::ExpectGolden("paragraph.html", ParagraphHTML(gallery.Context, 0, 1));
}

}  // namespace
}  // namespace fsc
