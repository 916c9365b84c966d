// The navigation language in page mode and image mode.
#include <gtest/gtest.h>

#include "engine/EngineFixture.h"
#include "engine/Navigation.h"

namespace fsc {
namespace {

TFSC_File ThumbPage(int number) { return {{}, "", "index.html", "", number, 0}; }
TFSC_File ImagePage(int number) { return {{}, "images/", "image_x.jpg", "", 0, number}; }

// 7 images, 3 per page: three thumbnail pages.
struct NavigationGallery : test::TEngineFixture {
    NavigationGallery() : TEngineFixture(7) {
        HTML.Rows = 1;
        HTML.Cols = 3;
        SetPages();
    }
    std::string Run(const std::string& scheme, const TFSC_File& page) {
        HTML.NavigationScheme = SplitLines(scheme);
        return NavigationText(Context, page);
    }
};

TEST(Navigation, DefaultSchemeLinksToExistingNeighbours) {
    NavigationGallery gallery;
    const std::pair<int, std::string> cases[] = {
        {1, " \r\n <a href=\"index2.html\"> Next </a> \r\n"},
        {2, " <a href=\"index.html\"> Previous </a>  \r\n <a href=\"index3.html\"> Next </a> \r\n"},
        {3, " <a href=\"index2.html\"> Previous </a>  \r\n\r\n"},
    };
    for (const auto& [number, expected] : cases) {
        EXPECT_EQ(NavigationText(gallery.Context, ThumbPage(number)), expected) << number;
    }
}

TEST(Navigation, SinglePageGetsOnlyBlanksAndBreaks) {
    test::TEngineFixture gallery(4);
    EXPECT_EQ(NavigationText(gallery.Context, ThumbPage(1)), " \r\n\r\n");
}

TEST(Navigation, IndexBlockListsEveryPage) {
    NavigationGallery gallery;
    gallery.HTML.NavigationScheme =
        SplitLines("<!-IFINDEX-> <a href=\"<!-LINK->\"><!-NAME-></a> <!-ENDIF->");
    test::ExpectGolden("navigation_ifindex.html", NavigationText(gallery.Context, ThumbPage(2)));
}

TEST(Navigation, TargetsOfTheIfTags) {
    NavigationGallery gallery;
    struct Case {
        const char* scheme;
        std::string expected;
    };
    const Case cases[] = {
        {"<!-IFINDEX=3->[<!-LINK->]<!-ENDIF->", "[index3.html]\r\n"},
        {"<!-IFINDEX=4->[<!-LINK->]<!-ENDIF->", "\r\n"},  // above PageCount
        {"<!-IFINDEX=abc->[<!-LINK->]<!-ENDIF->", "\r\n"},
        {"<!-IFINDEX+1->[<!-NUMBER->]<!-ENDIF->", "[3]\r\n"},
        {"<!-IFINDEX+x->[<!-NUMBER->]<!-ENDIF->", "[2]\r\n"},
        {"<!-IFINDEX-1->[<!-NAME->]<!-ENDIF->", "[1]\r\n"},
        {"<!-IFINDEX-5->[<!-NAME->]<!-ENDIF->", "\r\n"},
        {"<!-IFPREVIOUS->[<!-PREVIOUS->|<!-PREVIOUSNAME->|<!-NEXT->|<!-NEXTNAME->]<!-ENDIF->",
         "[index3.html|3|index2.html|2]\r\n"},
        {"<!-IFSOMETHING->[<!-NUMBER->]<!-ENDIF->", "[2]\r\n"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(gallery.Run(c.scheme, ThumbPage(2)), c.expected) << c.scheme;
    }
}

TEST(Navigation, ScanRoundsAsWritten) {
    NavigationGallery gallery;
    struct Case {
        const char* what;
        const char* scheme;
        std::string expected;
    };
    const Case cases[] = {
        {"text around blocks is expanded for the page itself",
         "a<!-NUMBER->b<!-IFNEXT->n<!-NUMBER-><!-ENDIF->c", "a2bn3c\r\n"},
        {"the first ENDIF closes, even after another IF", "<!-IFNEXT->x<!-IFPREVIOUS->y<!-ENDIF->z",
         "x<!-IFPREVIOUS->yz\r\n"},
        {"an IF without ENDIF runs to the next IF",
         "<!-IFNEXT->[<!-NUMBER->]<!-IFPREVIOUS->(<!-NUMBER->)", "[3](1)\r\n"},
        {"a stray ENDIF is dropped", "p<!-ENDIF->q", "pq\r\n"},
        {"no IF and no ENDIF: the scheme expanded for the page", "<!-LINK->", "index2.html\r\n"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(gallery.Run(c.scheme, ThumbPage(2)), c.expected) << c.what;
    }
}

TEST(Navigation, UnknownIfTagsAreNotedAsWarnings) {
    NavigationGallery gallery;
    gallery.Run("<!-IFWHATEVER->x<!-ENDIF-><!-IFNEXT->y<!-ENDIF-><!-IFODD->z", ThumbPage(1));
    EXPECT_EQ(gallery.Journal.Warnings, (TStringList{"Unknown Index Command: <!-IFWHATEVER->",
                                                     "Unknown Index Command: <!-IFODD->"}));
}

TEST(Navigation, ImageModeLinksToNeighbouringImages) {
    NavigationGallery gallery;
    for (TThumbnail& thumb : gallery.Thumbs) thumb.Link = "image_" + thumb.Name + ".html";
    gallery.Thumbs[3].noImage = true;
    gallery.Thumbs[1].Name = "sub/my_pic.jpg";
    gallery.Thumbs[1].Link = "pages/image_my_pic.jpg.html";
    // Inside a block the tags describe the block's target image; outside, the page's own.
    const char* scheme =
        "<!-IFPREVIOUS->P=<!-LINK-> <!-ENDIF-><!-IFNEXT->N=<!-LINK-> <!-ENDIF->"
        "[<!-PREVIOUS->|<!-PREVIOUSNAME->|<!-NEXT->|<!-NEXTNAME->|<!-LINK->|<!-NAME->|"
        "<!-NAMEUS->|<!-NUMBER->]";
    struct Case {
        int image;
        std::string expected;
    };
    const Case cases[] = {
        {1,
         "N=image_my_pic.jpg.html [image_photo6.jpg.html|photo6.jpg|image_my_pic.jpg.html|"
         "my_pic.jpg|image_photo0.jpg.html|photo0.jpg|photo0.jpg|1]\r\n"},
        {2,
         "P=image_photo0.jpg.html N=image_photo2.jpg.html [image_photo0.jpg.html|photo0.jpg|"
         "image_photo2.jpg.html|photo2.jpg|image_my_pic.jpg.html|my_pic.jpg|sub/my pic.jpg|2]\r\n"},
        // The next image is text only: no Next block, and NEXT names the image itself.
        {3,
         "P=image_my_pic.jpg.html [image_my_pic.jpg.html|my_pic.jpg|image_photo2.jpg.html|"
         "photo2.jpg|image_photo2.jpg.html|photo2.jpg|photo2.jpg|3]\r\n"},
        {5,
         "N=image_photo5.jpg.html [image_photo4.jpg.html|photo4.jpg|image_photo5.jpg.html|"
         "photo5.jpg|image_photo4.jpg.html|photo4.jpg|photo4.jpg|5]\r\n"},
        {7,
         "P=image_photo5.jpg.html [image_photo5.jpg.html|photo5.jpg|image_photo0.jpg.html|"
         "photo0.jpg|image_photo6.jpg.html|photo6.jpg|photo6.jpg|7]\r\n"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(gallery.Run(scheme, ImagePage(c.image)), c.expected) << c.image;
    }
}

// A neighbour that links elsewhere keeps its whole address, and names written into the
// links are addresses, not text.
TEST(Navigation, ImageModeKeepsLinksWithASchemeAndEncodesNames) {
    NavigationGallery gallery;
    for (TThumbnail& thumb : gallery.Thumbs) thumb.Link = "image_" + thumb.Name + ".html";
    gallery.Thumbs[1].Link = "http://example.org/gallery/x";
    gallery.Thumbs[2].Name = "hash #2.jpg";
    gallery.Thumbs[2].Link = "image_hash #2.jpg.html";
    EXPECT_EQ(gallery.Run("<!-NEXT->|<!-NEXTNAME->", ImagePage(1)),
              "http://example.org/gallery/x|photo1.jpg\r\n");
    EXPECT_EQ(gallery.Run("<!-NEXT->|<!-NEXTNAME->", ImagePage(2)),
              "image_hash%20%232.jpg.html|hash #2.jpg\r\n");
}

TEST(Navigation, OtherPagesGetNoNavigation) {
    NavigationGallery gallery;
    TFSC_File extra{{"<p><!-NAVIGATION-></p>"}, "", "about.html", "", 0, 0};
    ApplyNavigation(gallery.Context, extra);
    EXPECT_EQ(extra.Lines, (TStringList{"<p></p>"}));
}

}  // namespace
}  // namespace fsc
