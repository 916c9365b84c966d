// The slide show: frame, buttons, lists, size attributes and the script.
#include <gtest/gtest.h>

#include "engine/EngineFixture.h"
#include "engine/SlideShow.h"

namespace fsc {
namespace {

TEST(SlideShow, ScriptWithListsAndSize) {
    test::TEngineFixture gallery(4);
    gallery.HTML.Rows = 3;
    gallery.HTML.Cols = 1;
    gallery.HTML.LinkToHTML = true;
    gallery.Thumbs[1].useOtherLink = true;
    gallery.Thumbs[1].OtherLink = " Http://example.org/x ";
    gallery.Thumbs[2].useOtherLink = true;
    gallery.Thumbs[2].OtherLink = "local.html";
    gallery.Template.SlideWidth = 400;
    gallery.Template.SlideScheme = {"<!-firstbutton-> <!-PREVBUTTON->", "<!-SLIDES->",
                                    "<!-NEXTBUTTON-><!-LASTBUTTON-><!-PREVBUTTON->"};
    // Starting at image 1, at most Rows (3) slides: images 1 to 3.
    test::ExpectGolden("slideshow.html", SlideShowHTML(gallery.Context, 1, 3));
    EXPECT_EQ(gallery.Thumbs[3].Link, "image_photo3.jpg.html");
    EXPECT_EQ(gallery.Thumbs[0].Link, "photo0.jpg") << "images not shown keep their link";
}

std::string ImageTagOf(const std::string& html) {
    const std::size_t start = html.find("<img  name");
    return html.substr(start, html.find(" alt=\"\"></a>", start) - start);
}

TEST(SlideShow, SizeAttributes) {
    struct Case {
        int width, height;
        std::string expected;
    };
    const Case cases[] = {
        {-1, -1, "<img  name=\"FSCBild\" border=\"0\" src=\"'+imgz[0]+'\""},
        {0, 300, "<img  name=\"FSCBild\" border=\"0\" src=\"'+imgz[0]+'\" height=\"300\""},
        {400, 300,
         "<img  name=\"FSCBild\" border=\"0\" src=\"'+imgz[0]+'\" height=\"300\" width=\"400\""},
        {250, -1, "<img  name=\"FSCBild\" border=\"0\" src=\"'+imgz[0]+'\" width=\"250\""},
    };
    for (const Case& c : cases) {
        test::TEngineFixture gallery(1);
        gallery.Template.SlideWidth = c.width;
        gallery.Template.SlideHeight = c.height;
        EXPECT_EQ(ImageTagOf(SlideShowHTML(gallery.Context, 0, 0)), c.expected)
            << c.width << " x " << c.height;
    }
}

TEST(SlideShow, SchemeWithoutSlidesTagGetsTheScriptAfterIt) {
    test::TEngineFixture gallery(1);
    gallery.Template.SlideScheme = {"<b>show</b>"};
    const std::string html = SlideShowHTML(gallery.Context, 0, 0);
    EXPECT_EQ(html.substr(0, 34), "<form>\r\n<b>show</b>\r\n\r\n</form><ul ");
    EXPECT_TRUE(html.ends_with("//-->\r\n</script>"));
}

TEST(SlideShow, SlidesTagIsFoundInAnyCase) {
    test::TEngineFixture gallery(1);
    gallery.Template.SlideScheme = {"<!-slides->"};
    const std::string html = SlideShowHTML(gallery.Context, 0, 0);
    EXPECT_EQ(html.substr(0, 12), "<form>\r\n<ul ");
    EXPECT_TRUE(html.ends_with("</script>\r\n\r\n</form>"));
}

}  // namespace
}  // namespace fsc
