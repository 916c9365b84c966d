// The build's decision rules: when a copy is remade, thumbnail names and currency, and
// where pages and outputs are written.
#include <gtest/gtest.h>

#include "engine/BuildFiles.h"
#include "engine/CreateHTML.h"
#include "engine/NeedsCopy.h"
#include "engine/ThumbnailPicture.h"

namespace fsc {
namespace {

// A copy made at quality 75 without resize or watermark, and settings that match it.
TThumbnail CurrentCopy() {
    TThumbnail thumb;
    thumb.CopyTime = 100;
    thumb.CopyResizeWidth = -1;
    thumb.CopyResizeHeight = -1;
    thumb.CopyQuality = 75;
    thumb.WatermarkTime = 50;
    return thumb;
}

struct CacheCase {
    const char* what;
    void (*change)(TThumbnail&, TFSC_Images&, TCopyChoices&);
    bool stale;
};

TEST(NeedsCopy, CacheRules) {
    const CacheCase cases[] = {
        {"nothing changed", [](TThumbnail&, TFSC_Images&, TCopyChoices&) {}, false},
        {"never copied", [](TThumbnail& t, TFSC_Images&, TCopyChoices&) { t.CopyTime = 0; }, true},
        {"resized copy, resizing now off",
         [](TThumbnail& t, TFSC_Images&, TCopyChoices&) { t.CopyResized = true; }, true},
        {"resizing on, copy not resized",
         [](TThumbnail&, TFSC_Images& i, TCopyChoices&) { i.ResizeImages = true; }, true},
        {"resizing on with the same limits",
         [](TThumbnail& t, TFSC_Images& i, TCopyChoices&) {
             t.CopyResized = i.ResizeImages = true;
             t.CopyResizeWidth = i.ResizeWidth = 800;
         },
         false},
        {"resizing on, other width",
         [](TThumbnail& t, TFSC_Images& i, TCopyChoices&) {
             t.CopyResized = i.ResizeImages = true;
             t.CopyResizeWidth = 640;
             i.ResizeWidth = 800;
         },
         true},
        {"resizing on, other height",
         [](TThumbnail& t, TFSC_Images& i, TCopyChoices&) {
             t.CopyResized = i.ResizeImages = true;
             i.ResizeHeight = 800;
         },
         true},
        {"other quality", [](TThumbnail&, TFSC_Images&, TCopyChoices& c) { c.Quality = 80; }, true},
        {"copy at quality 100 is good for any quality",
         [](TThumbnail& t, TFSC_Images&, TCopyChoices& c) {
             t.CopyQuality = 100;
             c.Quality = 30;
         },
         false},
        {"dialog not yet answered with All",
         [](TThumbnail&, TFSC_Images& i, TCopyChoices&) { i.AdjustCompression = true; }, true},
        {"dialog answered All with this quality",
         [](TThumbnail&, TFSC_Images& i, TCopyChoices& c) { i.AdjustCompression = c.All = true; },
         false},
        {"dialog answered All with another quality",
         [](TThumbnail&, TFSC_Images& i, TCopyChoices& c) {
             i.AdjustCompression = c.All = true;
             c.Quality = 60;
         },
         true},
        {"watermark changed after the copy",
         [](TThumbnail&, TFSC_Images& i, TCopyChoices&) {
             i.Watermark = true;
             i.WatermarkChanged = 60;
         },
         true},
        {"watermark unchanged since the copy",
         [](TThumbnail& t, TFSC_Images& i, TCopyChoices&) {
             t.Watermarked = i.Watermark = true;
             i.WatermarkChanged = 50;
         },
         false},
        {"watermark switched on since an unstamped copy, text unchanged",
         [](TThumbnail&, TFSC_Images& i, TCopyChoices&) {
             i.Watermark = true;
             i.WatermarkChanged = 40;
         },
         true},
        {"watermark now off",
         [](TThumbnail& t, TFSC_Images&, TCopyChoices&) { t.Watermarked = true; }, true},
        {"location data kept in the copy, now to be removed",
         [](TThumbnail& t, TFSC_Images&, TCopyChoices&) { t.CopyKeptLocation = true; }, true},
        {"location data removed from the copy, now to be kept",
         [](TThumbnail&, TFSC_Images& i, TCopyChoices&) { i.RemoveLocation = false; }, true},
        {"location data kept as before",
         [](TThumbnail& t, TFSC_Images& i, TCopyChoices&) {
             t.CopyKeptLocation = true;
             i.RemoveLocation = false;
         },
         false},
    };
    for (const CacheCase& c : cases) {
        TThumbnail thumb = CurrentCopy();
        TFSC_Images images;
        TCopyChoices choices;
        c.change(thumb, images, choices);
        EXPECT_EQ(CopyIsStale(thumb, images, choices), c.stale) << c.what;
        const TCopyTarget present{true, false, false};
        EXPECT_EQ(NeedsCopy(thumb, images, choices, present, 200), c.stale) << c.what;
        EXPECT_TRUE(NeedsCopy(thumb, images, choices, TCopyTarget{}, 200)) << c.what;
    }
}

TEST(NeedsCopy, AnOriginalInTheImageDirectory) {
    struct Case {
        const char* what;
        bool keep;
        void (*change)(TFSC_Images&, TCopyChoices&);
        bool remake;
    };
    const Case cases[] = {
        {"never copied, nothing to change", false, [](TFSC_Images&, TCopyChoices&) {}, false},
        {"another quality does not count", false,
         [](TFSC_Images&, TCopyChoices& c) { c.Quality = 30; }, false},
        {"resizing remakes it", false, [](TFSC_Images& i, TCopyChoices&) { i.ResizeImages = true; },
         true},
        {"a watermark remakes it", false,
         [](TFSC_Images& i, TCopyChoices&) {
             i.Watermark = true;
             i.WatermarkChanged = 1e9;
         },
         true},
        {"keeping location data leaves it", false,
         [](TFSC_Images& i, TCopyChoices&) { i.RemoveLocation = false; }, false},
        {"kept originals are never remade", true,
         [](TFSC_Images& i, TCopyChoices&) { i.ResizeImages = true; }, false},
    };
    for (const Case& c : cases) {
        TThumbnail never;
        TFSC_Images images;
        TCopyChoices choices;
        c.change(images, choices);
        EXPECT_EQ(NeedsCopy(never, images, choices, {true, true, c.keep}, 45000), c.remake)
            << c.what;
    }
}

TEST(CreateThumbs, ThumbnailNames) {
    struct Case {
        const char* name;
        const char* suffix;
        bool imagesAreThumbs;
        const char* expected;
    };
    const Case cases[] = {
        {"photo.jpg", "_th", false, "photo_th.jpg"},
        {"photo.jpg", "", false, "photo_th.jpg"},
        {"photo.jpg", "_fsc_th", false, "photo_fsc_th.jpg"},
        // The last four characters go, whatever they are.
        {"photo.jpeg", "_th", false, "photo._th.jpg"},
        {"ab", "_th", false, "_th.jpg"},
        {"photo.jpg", "_th", true, "photo.jpg"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ThumbnailName(c.name, c.suffix, c.imagesAreThumbs), c.expected)
            << c.name << " + " << c.suffix;
    }
}

TEST(CreateThumbs, AThumbnailIsCurrentOnlyWhenEverythingMatches) {
    TFSC_Images images;
    TThumbnail made;
    made.ThumbTime = 1;
    made.ThumbBoxWidth = 70;
    made.ThumbBoxHeight = 70;
    made.ThumbMethod = 0;
    made.ThumbQuality = 50;
    EXPECT_TRUE(ThumbnailIsCurrent(made, images, 0, 50, true));
    EXPECT_FALSE(ThumbnailIsCurrent(made, images, 0, 50, false)) << "file gone";
    EXPECT_FALSE(ThumbnailIsCurrent(made, images, 1, 50, true)) << "method";
    EXPECT_FALSE(ThumbnailIsCurrent(made, images, 0, 83, true)) << "quality";
    TThumbnail never = made;
    never.ThumbTime = 0;
    EXPECT_FALSE(ThumbnailIsCurrent(never, images, 0, 50, true)) << "never made";
    images.ThumbHeight = 40;
    EXPECT_FALSE(ThumbnailIsCurrent(made, images, 0, 50, true)) << "box";
}

TEST(CreateHTML, WherePagesAreSaved) {
    struct Case {
        const char* what;
        std::string imageDir;
        TFSC_File page;
        std::string expected;
    };
    const Case cases[] = {
        {"first thumbnail page", "images/", {{}, "", "index.html", "", 1, 0}, "/g/index.html"},
        {"third thumbnail page", "images/", {{}, "", "index.html", "", 3, 0}, "/g/index3.html"},
        {"numbered page without extension",
         "images/",
         {{}, "", "start", "", 2, 0},
         "/g/start2.html"},
        {"gallery file in a folder",
         "images/",
         {{}, "", "a/index.htm", "", 2, 0},
         "/g/a/index2.htm"},
        {"template page in a folder", "images/", {{}, "sub", "a.htm", "", 0, 0}, "/g/sub/a.htm"},
        {"template page without extension keeps its folder",
         "images/",
         {{}, "sub", "readme", "", 0, 0},
         "/g/sub/readme.html"},
        {"image page",
         "images/",
         {{}, "images/", "image_p.jpg", "", 0, 1},
         "/g/images/image_p.jpg.html"},
        {"image page without image directory",
         "",
         {{}, "", "image_p.jpg", "", 0, 1},
         "/g/image_p.jpg.html"},
        {"image directory typed with backslashes",
         "pics\\2024/",
         {{}, "pics\\2024/", "image_p.jpg", "", 0, 2},
         "/g/pics/2024/image_p.jpg.html"},
    };
    for (const Case& c : cases) {
        TFSC_HTML html;
        html.HTMLDir = "/g";
        html.ImageDir = c.imageDir;
        EXPECT_EQ(PagePath(html, c.page), c.expected) << c.what;
    }
}

TEST(BuildFiles, OutputsStayBelowTheHTMLDirectory) {
    struct Case {
        const char* htmlDir;
        const char* imageDir;
        const char* expected;
    };
    const Case cases[] = {
        {"/g", "images", "/g/images/"},
        {"/g/", "images", "/g/images/"},
        {"/g", "", "/g/"},
        {"/g", ".", "/g/"},
        {"/g", "/etc", "/g/etc/"},
        {"/g", "a\\b", "/g/a/b/"},
    };
    for (const Case& c : cases) {
        TFSC_HTML html;
        html.HTMLDir = c.htmlDir;
        html.ImageDir = c.imageDir;
        EXPECT_EQ(ImageTargetDir(html), c.expected) << c.htmlDir << " + " << c.imageDir;
    }
}

}  // namespace
}  // namespace fsc
