#include <gtest/gtest.h>

#include "base/Errors.h"
#include "templates/ColourWizard.h"
#include "templates/SchemeWizard.h"
#include "templates/TScheme.h"

namespace fsc {
namespace {

TEST(GalleryWizard, PlacementsAndCentring) {
    const std::pair<TNavigationPlacement, TStringList> cases[] = {
        {TNavigationPlacement::OnTop,
         {"<!-NAVIGATION-> <br><br> <!-GALLERY-> ", "<br> <!-ORVIKLINK-> "}},
        {TNavigationPlacement::OnBottom,
         {"<!-GALLERY-> ", "<br><br> <!-NAVIGATION-> <br><br>", " <!-ORVIKLINK-> "}},
        {TNavigationPlacement::TopAndBottom,
         {"<!-NAVIGATION-> <br><br> <!-GALLERY-> ", "<br><br> <!-NAVIGATION-> <br><br>",
          " <!-ORVIKLINK-> "}},
        {TNavigationPlacement::None, {"<!-GALLERY-> ", "<br> <!-ORVIKLINK-> "}},
    };
    for (const auto& [placement, text] : cases) {
        EXPECT_EQ(GalleryWizardScheme(placement, false), text) << static_cast<int>(placement);
        TStringList centred = text;
        centred.insert(centred.begin(), "<CENTER>");
        centred.push_back("</CENTER>");
        EXPECT_EQ(GalleryWizardScheme(placement, true), centred) << static_cast<int>(placement);
    }
}

TEST(NavigationWizard, ThreeLinkStyles) {
    EXPECT_EQ(NavigationWizardScheme(TNavigationStyle::PreviousNext),
              (TStringList{"<!-IFPREVIOUS-> <a href=\"<!-LINK->\">Previous</a> <!-ENDIF-> ",
                           "<!-IFNEXT-> <a href=\"<!-LINK->\">Next</a> <!-ENDIF->"}));
    EXPECT_EQ(NavigationWizardScheme(TNavigationStyle::AllNumbers),
              (TStringList{"<!-IFPREVIOUS-> <a href=\"<!-LINK->\">Previous</a> <!-ENDIF-> ",
                           "<!-IFINDEX-> <a href=\"<!-LINK->\"><!-NUMBER-></a> <!-ENDIF-> ",
                           "<!-IFNEXT-> <a href=\"<!-LINK->\">Next</a> <!-ENDIF->"}));
}

TEST(NavigationWizard, NearPagesListOnlyNPagesEachSide) {
    const auto index = [](const std::string& k) {
        return "<!-IFINDEX" + k + "-> <a href=\"<!-LINK->\"><!-NUMBER-></a> <!-ENDIF-> ";
    };
    EXPECT_EQ(NavigationWizardScheme(TNavigationStyle::NearNumbers, 2),
              (TStringList{"<!-IFPREVIOUS-> <a href=\"<!-LINK->\"> Previous </a> <!-ENDIF-> ",
                           index("-2"), index("-1"), index("+1"), index("+2"),
                           "<!-IFNEXT-> <a href=\"<!-LINK->\">Next</a> <!-ENDIF->"}));
    EXPECT_EQ(NavigationWizardScheme(TNavigationStyle::NearNumbers, 20).size(), 42u);
    EXPECT_EQ(NavigationWizardScheme(TNavigationStyle::NearNumbers, 1).size(), 4u);
}

TEST(ImageWizard, LayoutAWithTheImageDefaults) {
    EXPECT_EQ(ImageWizardScheme(DefaultImageWizardSet()),
              (TStringList{" <!-IMAGE-> <br><br>", "<b>   <!-NUMBER->  -   <!-NAME-> </b>  <br> ",
                           "    <br> ", "  <!-DESCRIPTION->   <br> "}));
}

TEST(ImageWizard, ThumbnailSchemeIsTheImageTextWithTheThumbTag) {
    EXPECT_EQ(ThumbnailWizardScheme(DefaultThumbnailWizardSet()),
              (TStringList{" <!-THUMB-> <br><br>", "<b>   <!-NUMBER->  -   <!-NAME->   <br> ",
                           "(  <!-SIZEKB-> kB  ) </b>  <br> ", "   <br> "}));
}

TEST(ImageWizard, LayoutBFillsEmptyCellsWithNbsp) {
    TImageWizardSet set = DefaultImageWizardSet();
    set.LayoutB = true;
    EXPECT_EQ(
        ImageWizardScheme(set),
        (TStringList{"<table> <tr> <td colspan=\"3\" align=\"center\"> <b>   <!-NAME-> </b>  ",
                     "</td> </tr> <tr> <td width=\"25%\"> &nbsp; <br>", "&nbsp; ",
                     "</td> <td align=\"center\"> <!-IMAGE-> </td> <td width=\"25%\"> &nbsp; <br>",
                     "&nbsp; ", " </td> </tr> <tr> <td colspan=\"3\" align=\"center\"> ",
                     "  <!-DESCRIPTION->  ", " </td> </tr> </table> "}));
    TImageWizardSet thumbs = DefaultThumbnailWizardSet();
    thumbs.LayoutB = true;
    const TStringList text = ThumbnailWizardScheme(thumbs);
    EXPECT_EQ(text[1], "</td> </tr> <tr> <td width=\"25%\"> <b> Size:   <br>");
    EXPECT_EQ(text[2], "  <!-SIZEKB-> kB </b> ");
    EXPECT_EQ(text[3],
              "</td> <td align=\"center\"> <!-THUMB-> </td> <td width=\"25%\"> &nbsp; <br>");
    EXPECT_EQ(text[4], "  <!-HINT->  ");
    EXPECT_EQ(text[6], "&nbsp; ");
}

TEST(ImageWizard, EveryFieldProducesItsTag) {
    const char* expected[] = {"",
                              " <!-HINT-> ",
                              " <!-DESCRIPTION-> ",
                              " <!-NAME-> ",
                              " <!-NAMEUS-> ",
                              " <!-NUMBER-> ",
                              " <!-SIZE-> ",
                              " <!-SIZEKB-> kB ",
                              " <!-DATE-> "};
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(WizardFieldText(static_cast<TWizardField>(i)), expected[i])
            << WizardFieldCaptions[i];
    }
}

TEST(ImageWizard, RestoreDefaultsResetsBothSetsOnly) {
    SchemeWizardSettings settings;
    EXPECT_EQ(settings.Navigation, TNavigationStyle::AllNumbers);
    EXPECT_EQ(settings.NearPages, 2);
    EXPECT_FALSE(settings.ImageSet.LayoutB);
    settings.ImageSet.A.LO = "changed";
    settings.ThumbnailSet.LayoutB = true;
    settings.NearPages = 5;
    RestoreWizardDefaults(settings);
    EXPECT_EQ(settings.ImageSet, DefaultImageWizardSet());
    EXPECT_EQ(settings.ThumbnailSet, DefaultThumbnailWizardSet());
    EXPECT_EQ(settings.NearPages, 5);
}

TEST(SchemeWizardPages, EachPageWritesItsOwnScheme) {
    const std::pair<int, int> pages[] = {
        {SchemeGallery, 0}, {SchemeNavigation, 1}, {SchemeThumbnail, 2}, {SchemeImage, 3}};
    for (const auto& [kind, page] : pages) {
        EXPECT_EQ(WizardPageOfScheme(kind), page);
        EXPECT_EQ(SchemeOfWizardPage(page), kind);
    }
    EXPECT_THROW(SchemeOfWizardPage(4), EFSC_Exception);
    SchemeWizardSettings settings;
    settings.Placement = TNavigationPlacement::None;
    settings.Navigation = TNavigationStyle::NearNumbers;
    settings.NearPages = 3;
    EXPECT_EQ(WizardPageText(settings, 0), GalleryWizardScheme(TNavigationPlacement::None, false));
    EXPECT_EQ(WizardPageText(settings, 1).size(), 8u);
    EXPECT_EQ(WizardPageText(settings, 2).front(), " <!-THUMB-> <br><br>");
    EXPECT_EQ(WizardPageText(settings, 3).front(), " <!-IMAGE-> <br><br>");
}

TEST(ColourWizard, PaletteAndCode) {
    const std::tuple<int, int, TColour> cases[] = {
        {0, 0, {0, 0, 0}},       {1, 15, {0, 255, 2}}, {127, 16, {36, 255, 254}},
        {126, 31, {36, 0, 252}}, {5, 32, {72, 0, 10}}, {0, 126, {252, 17 * 1, 0}}};
    for (const auto& [x, y, colour] : cases) {
        EXPECT_EQ(PaletteColour(x, y), colour) << x << "," << y;
    }
    const TBitmap palette = ColourWizardPalette();
    EXPECT_EQ(palette.Width, 127);
    EXPECT_EQ(palette.Row(16)[3 * 100 + 2], 200);
    EXPECT_EQ(ColourWizardCode({255, 0, 0}), "\"#FF0000\"");
    EXPECT_EQ(ColourWizardCode({10, 171, 205}), "\"#0AABCD\"");
}

}  // namespace
}  // namespace fsc
