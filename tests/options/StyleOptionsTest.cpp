#include <gtest/gtest.h>

#include "base/Errors.h"
#include "base/Files.h"
#include "options/StyleOptions.h"
#include "support/TempDir.h"

namespace fsc {
namespace {

struct Dialogs {
    TableOptions Table;
    ListOptions List;
    ParaOptions Para;
    CollageOptions Collage;
    SlideShowOptions SlideShow;

    TTemplate Copied() const {
        TTemplate tpl = TTemplate::Create();
        CopyStyleOptionsToTemplate({Table, List, Para, Collage, SlideShow}, tpl);
        return tpl;
    }
};

TEST(CopyStyleOptions, UntouchedDialogsGiveTheBuildDefaults) {
    // Start from a template whose style fields all differ, so every field must be written.
    TTemplate tpl = TTemplate::Create();
    tpl.TableBorder = 9;
    tpl.TableTDAlign = "left";
    tpl.TableTDVAlign = "top";
    tpl.OrderedList = true;
    tpl.ParaAlign = "right";
    tpl.CollageType = "CIRCLE";
    tpl.CollageBgColor = "navy = #000080 ";
    tpl.CollageCenter = true;
    tpl.SlideWidth = 5;
    tpl.SlideHeight = 5;
    const Dialogs dialogs;
    CopyStyleOptionsToTemplate(
        {dialogs.Table, dialogs.List, dialogs.Para, dialogs.Collage, dialogs.SlideShow}, tpl);
    EXPECT_EQ(tpl.TableBorder, 0);
    EXPECT_EQ(tpl.TableTDAlign, "center");
    EXPECT_EQ(tpl.TableTDVAlign, "middle");
    EXPECT_FALSE(tpl.OrderedList);
    EXPECT_EQ(tpl.ParaAlign, "left");
    EXPECT_EQ(tpl.CollageType, "TABLE");
    EXPECT_EQ(tpl.CollageBgColor, "black = #000000 ");
    EXPECT_FALSE(tpl.CollageCenter);
    EXPECT_EQ(tpl.SlideWidth, -1);
    EXPECT_EQ(tpl.SlideHeight, 300);
    EXPECT_EQ(tpl.SlideScheme, DefaultSlideScheme());
}

TEST(CopyStyleOptions, EveryChoiceReachesItsField) {
    Dialogs dialogs;
    dialogs.Table = {"tab", 4, "90%", THorzAlign::Right, TVertAlign::Bottom};
    dialogs.List = {true, "class=\"l\""};
    dialogs.Para = {THorzAlign::Center, "p"};
    dialogs.Collage = {TCollageType::Random, "navy = #000080 ", true, "c"};
    dialogs.SlideShow.SlideScheme = {"<!-SLIDES->", "<!-NEXTBUTTON->"};
    const TTemplate tpl = dialogs.Copied();
    EXPECT_EQ(tpl.TableCSS, "tab");
    EXPECT_EQ(tpl.TableBorder, 4);
    EXPECT_EQ(tpl.TableWidth, "90%");
    EXPECT_EQ(tpl.TableTDAlign, "right");
    EXPECT_EQ(tpl.TableTDVAlign, "bottom");
    EXPECT_TRUE(tpl.OrderedList);
    EXPECT_EQ(tpl.ListCSS, "class=\"l\"");
    EXPECT_EQ(tpl.ParaAlign, "center");
    EXPECT_EQ(tpl.ParaCSS, "p");
    EXPECT_EQ(tpl.CollageType, "RANDOM");
    EXPECT_EQ(tpl.CollageBgColor, "navy = #000080 ");
    EXPECT_TRUE(tpl.CollageCenter);
    EXPECT_EQ(tpl.CollageCSS, "c");
    EXPECT_EQ(tpl.SlideScheme, (TStringList{"<!-SLIDES->", "<!-NEXTBUTTON->"}));
    dialogs.Collage.Partitioning = TCollageType::Circle;
    EXPECT_EQ(dialogs.Copied().CollageType, "CIRCLE");
}

TEST(CopyStyleOptions, OneSizeServesBothSlideSwitches) {
    struct Case {
        bool Width, Height;
        int Size, ExpectedWidth, ExpectedHeight;
    };
    const Case cases[] = {{true, true, 450, 450, 450},
                          {false, false, 450, -1, -1},
                          {true, false, 30, 30, -1},
                          {false, true, 2000, -1, 2000}};
    for (const Case& c : cases) {
        Dialogs dialogs;
        dialogs.SlideShow.SlideWidthChecked = c.Width;
        dialogs.SlideShow.SlideHeightChecked = c.Height;
        dialogs.SlideShow.SlideSize = c.Size;
        const TTemplate tpl = dialogs.Copied();
        EXPECT_EQ(tpl.SlideWidth, c.ExpectedWidth) << c.Width << c.Height << c.Size;
        EXPECT_EQ(tpl.SlideHeight, c.ExpectedHeight) << c.Width << c.Height << c.Size;
    }
}

TEST(SlideSchemeCheck, RepairsOnePartPerLeavingAndSaysWhy) {
    struct Case {
        TStringList Scheme;
        const char* Message;  // nullptr: accepted unchanged
        TStringList Repaired;
    };
    const Case cases[] = {
        {{"<!-SLIDES->"},
         "Warning: There must be a button in the scheme!",
         {"<!-SLIDES-><!-PREVBUTTON-> <!-NEXTBUTTON->"}},
        {{"<!-NEXTBUTTON->", "<br>"},
         "<!-SLIDES-> must be in the scheme!",
         {"<!-SLIDES-><br><!-NEXTBUTTON->", "<br>"}},
        {{"<!-slides->", "<!-lastbutton->"}, nullptr, {"<!-slides->", "<!-lastbutton->"}},
        {{"<!-SLIDES-> <!-FIRSTBUTTON->"}, nullptr, {"<!-SLIDES-> <!-FIRSTBUTTON->"}},
        {{}, "<!-SLIDES-> must be in the scheme!", {"<!-SLIDES-><br>"}},
    };
    for (const Case& c : cases) {
        SlideShowOptions options;
        options.SlideScheme = c.Scheme;
        try {
            CheckSlideScheme(options);
            EXPECT_EQ(c.Message, nullptr) << JoinLines(c.Scheme);
        } catch (const EFSC_Exception& error) {
            ASSERT_NE(c.Message, nullptr) << JoinLines(c.Scheme);
            EXPECT_EQ(std::string(error.what()), c.Message);
        }
        EXPECT_EQ(options.SlideScheme, c.Repaired) << JoinLines(c.Scheme);
    }
}

TEST(SlideSchemeCheck, BothPartsMissingTakeTwoLeavings) {
    SlideShowOptions options;
    options.SlideScheme = {"<CENTER>", "</CENTER>"};
    EXPECT_THROW(CheckSlideScheme(options), EFSC_Exception);
    EXPECT_EQ(options.SlideScheme, (TStringList{"<!-SLIDES-><br><CENTER>", "</CENTER>"}));
    EXPECT_THROW(CheckSlideScheme(options), EFSC_Exception);
    EXPECT_EQ(options.SlideScheme.back(), "</CENTER><!-PREVBUTTON-> <!-NEXTBUTTON->");
    EXPECT_NO_THROW(CheckSlideScheme(options));
}

TEST(SlideShowReset, RestoresEveryValue) {
    SlideShowOptions options{{"x"}, true, false, 999};
    ResetSlideShowOptions(options);
    EXPECT_EQ(options, SlideShowOptions());
    EXPECT_EQ(options.SlideScheme.size(), 6u);
}

TEST(ImageHTMLOptions, ShowingGivesASkeletonlessTemplateTheDialogText) {
    ImageHTMLOptions options;
    TTemplate tpl = TTemplate::Create();
    tpl.ImagePageSkeleton.clear();
    ShowImageHTMLOptions(options, tpl);
    EXPECT_EQ(tpl.ImagePageSkeleton, DefaultImageHTMLText());

    tpl.ImagePageSkeleton = {"<p><!-IMAGE-></p>"};
    ShowImageHTMLOptions(options, tpl);
    EXPECT_EQ(options.Text, tpl.ImagePageSkeleton);
    options.Text = {"edited", "<!-IMAGE->"};
    CloseImageHTMLOptions(options, tpl);
    EXPECT_EQ(tpl.ImagePageSkeleton, options.Text);
}

TEST(ImageHTMLOptions, LoadReplacesTheTextOrKeepsItOnError) {
    test::TempDir dir;
    ImageHTMLOptions options;
    EXPECT_THROW(LoadImageHTMLFile(options, dir / "missing.html"), EFSC_Exception);
    EXPECT_EQ(options.Text, DefaultImageHTMLText());
    SaveLines(dir / "page.html", {"<html>", "<!-IMAGE->", "</html>"});
    LoadImageHTMLFile(options, dir / "page.html");
    EXPECT_EQ(options.Text, (TStringList{"<html>", "<!-IMAGE->", "</html>"}));
}

}  // namespace
}  // namespace fsc
