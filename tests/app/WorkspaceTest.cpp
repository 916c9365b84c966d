#include <gtest/gtest.h>

#include <set>
#include <type_traits>

#include "app/GalleryProject.h"
#include "app/WorkspaceSettings.h"
#include "base/Files.h"
#include "base/Text.h"
#include "support/TempDir.h"

namespace fsc {
namespace {

// Every setting a fresh workspace starts with, as the windows show them at start-up.
// The HTML directory depends on the user's desktop and is checked on its own.
TEST(WorkspaceDefaults, EveryWindowStartsWithItsInitialValues) {
    const Workspace ws;
    TStringList lines = WorkspaceSettingLines(ws);
    lines.erase(lines.begin());  // Main.HTMLDir
    // The scheme wizard's sets have their own tests.
    std::erase_if(lines, [](const std::string& line) { return StartsWith(line, "SchemeWizard."); });
    const TStringList expected = {
        "Main.ImageDir=images",
        "Main.HTMLFile=",
        "Main.TemplateName=- no template -",
        "Main.Style=3",
        "Main.ListRows=20",
        "Main.Cols=5",
        "Main.Rows=3",
        "Main.ThumbQuality=1",
        "Main.ThumbSize=0",
        "Main.ThumbWidth=70",
        "Main.ThumbHeight=70",
        "Main.ResizeWidthChecked=0",
        "Main.ResizeHeightChecked=0",
        "Main.GreaterThan=800",
        "Main.ResizeMethod=0",
        "Main.WriteWebp=0",
        "Main.WriteAvif=0",
        "Main.OfferOriginals=0",
        "Main.AdjustCompression=0",
        "Main.LinkToHTML=0",
        "Main.NoHTML=0",
        "Main.ImagesAreThumbs=0",
        "Main.UseDefaultExt=0",
        "Main.DefaultExt=html",
        "Main.UseTargetFrame=0",
        "Main.TargetFrame=",
        "Table.CSSClass=",
        "Table.Border=0",
        "Table.TableWidth=",
        "Table.TDAlign=1",
        "Table.TDVAlign=1",
        "List.OrderedList=0",
        "List.CSSClass=",
        "Para.Align=0",
        "Para.CSSClass=",
        "Collage.Partitioning=0",
        "Collage.BackgroundColor=black = #000000 ",
        "Collage.CenterImages=0",
        "Collage.CSSClass=",
        "SlideShow.SlideScheme=<CENTER>,<!-SLIDES->,<br>,<!-PREVBUTTON->,<!-NEXTBUTTON->,</CENTER>",
        "SlideShow.SlideWidthChecked=0",
        "SlideShow.SlideHeightChecked=1",
        "SlideShow.SlideSize=300",
        "ImageHTML.Text=\"<!DOCTYPE html>\",\"<HTML lang=\"\"en\"\"><HEAD><meta "
        "charset=\"\"utf-8\"\">"
        "<meta name=\"\"viewport\"\" content=\"\"width=device-width, initial-scale=1\"\">"
        "<TITLE><!-NAME-></TITLE></HEAD>\",\"<BODY><!-IMAGE-> \",\"<br> </BODY></HTML>\"",
        "Special.MetaAuthor=0",
        "Special.Author=",
        "Special.MetaKeywords=0",
        "Special.Keywords=",
        "Special.MetaDescription=0",
        "Special.Description=",
        "Special.KeywordsFromName=1",
        "Special.KeywordsFromHintDesc=1",
        "Special.DescriptionWithHint=1",
        "Special.DisableRightButton=0",
        "Special.RightButtonMessage=Right Mouse Button Disabled.",
        "Special.Watermark=0",
        "Special.WatermarkText=\"Created with Folioscope\","
        "https://www.orvik-freeware.example/folioscope",
        "Special.RemoveLocation=1",
        "Watermark.Text=",
        "Watermark.Transparency=120",
        "Watermark.AdjustSize=1",
        "Watermark.FontName=MS Sans Serif",
        "Watermark.FontSize=8",
        "Watermark.FontRed=0",
        "Watermark.FontGreen=0",
        "Watermark.FontBlue=0",
        "Watermark.FontBold=0",
        "Watermark.FontItalic=0",
        "Watermark.FontUnderline=0",
        "Watermark.FontStrikeOut=0",
        "Watermark.LT=0",
        "Watermark.LM=0",
        "Watermark.LB=1",
        "Watermark.CT=0",
        "Watermark.CM=0",
        "Watermark.CB=0",
        "Watermark.RT=0",
        "Watermark.RM=0",
        "Watermark.RB=0",
        "Watermark.Changed=0",
        "Selection.UseTemplate=0",
        "Selection.Entries=",
        "Selection.ItemIndex=-1",
        "Selection.Changed=0",
        "Selection.Description=",
        "Selection.PreviewFile=",
        "Selection.CancelEnabled=1",
        "Selection.SavedUseTemplate=0",
        "Selection.SavedItemIndex=-1",
        "Selection.FocusItemIndex=-1"};
    ASSERT_EQ(lines.size(), expected.size());
    for (std::size_t i = 0; i < lines.size(); ++i) EXPECT_EQ(lines[i], expected[i]);
}

TEST(WorkspaceDefaults, SchemesTemplateAndListsStartBuiltIn) {
    const Workspace ws;
    EXPECT_EQ(ws.Schemes.Image.Text,
              (TStringList{"<!-IMAGE-> <br> <!-DESCRIPTION-> ", "<br><br><!-ORVIKLINK-> "}));
    EXPECT_EQ(ws.Schemes.Thumbnail.Text, (TStringList{"<!-THUMB->"}));
    EXPECT_TRUE(ws.Template.IndexIsGallery);
    // A new current template takes the image page dialog's text as its skeleton.
    EXPECT_EQ(ws.Template.ImagePageSkeleton, ws.ImageHTML.Text);
    EXPECT_TRUE(ws.Images.empty());
    EXPECT_TRUE(ws.Journal.CreatedFiles.empty());
    EXPECT_EQ(ws.Program, ProgramOptions());
}

TEST(WorkspaceDefaults, HTMLDirIsTheDesktopUnlessTheOptionsGiveOne) {
    test::TempDir home;
    test::TempDir chosen;
    std::filesystem::create_directories(home / "Schreibtisch");
    test::ScopedEnv homeVar("HOME", home.Path());
    test::ScopedEnv config("XDG_CONFIG_HOME", home / "config");
    std::filesystem::create_directories(home / "config");
    // No desktop folder configured: the home folder.
    {
        test::ScopedEnv unset("XDG_DESKTOP_DIR", "");
        ::unsetenv("XDG_DESKTOP_DIR");
        EXPECT_EQ(Workspace().Main.HTMLDir, home.Path());
    }

    test::ScopedEnv desktop("XDG_DESKTOP_DIR", "$HOME/Schreibtisch");
    EXPECT_EQ(Workspace().Main.HTMLDir, home / "Schreibtisch");

    ProgramOptions options;
    options.UseHTMLDir = true;
    options.HTMLDir = chosen.Path();
    EXPECT_EQ(Workspace(options).Main.HTMLDir, chosen.Path());
    options.HTMLDir = "   ";
    EXPECT_EQ(Workspace(options).Main.HTMLDir, home / "Schreibtisch");
    options.HTMLDir = chosen.Path();
    options.UseHTMLDir = false;
    EXPECT_EQ(Workspace(options).Main.HTMLDir, home / "Schreibtisch");
}

TEST(WorkspaceDefaults, DesktopFromUserDirsFile) {
    test::TempDir home;
    std::filesystem::create_directories(home / "Desk top");
    std::filesystem::create_directories(home / "config");
    test::ScopedEnv homeVar("HOME", home.Path());
    test::ScopedEnv config("XDG_CONFIG_HOME", home / "config");
    test::ScopedEnv desktop("XDG_DESKTOP_DIR", "");
    ::unsetenv("XDG_DESKTOP_DIR");
    SaveLines(home / "config/user-dirs.dirs",
              {"# written by xdg-user-dirs-update", "XDG_DESKTOP_DIR=\"$HOME/Desk top\""});
    EXPECT_EQ(Workspace().Main.HTMLDir, home / "Desk top");
}

// Changes a field to a value its type cannot start with.
struct MakeDifferent {
    template <class Field>
    void operator()(const char*, const char*, Field& field) const {
        if constexpr (std::is_same_v<Field, bool>) {
            field = !field;
        } else if constexpr (std::is_same_v<Field, std::string>) {
            field += "changed, \"quoted\"";
        } else if constexpr (std::is_same_v<Field, TStringList>) {
            field.push_back("one more line, with a comma");
            field.push_back("");
        } else if constexpr (std::is_enum_v<Field>) {
            field = static_cast<Field>(static_cast<int>(field) == 2 ? 1 : 2);
        } else if constexpr (std::is_same_v<Field, double>) {
            field += 45000.25;
        } else {
            field = static_cast<Field>(field + 7);
        }
    }
};

// A change of any one setting is a change the project has not saved; the template dialog's
// own state and the watermark's time of change are not settings the user made.
TEST(ProjectContents, EverySettingChangedIsAnUnsavedChange) {
    const std::string saved = ProjectContents(Workspace());
    int settings = 0;
    Workspace names;
    VisitWorkspaceSettings(names, [&](const char* structName, const char* name, auto&) {
        const std::string setting = std::string(structName) + "." + name;
        if (StartsWith(setting, "Selection.") || setting == "Watermark.Changed") return;
        Workspace changed;
        VisitWorkspaceSettings(changed,
                               [&](const char* otherStruct, const char* other, auto& field) {
                                   if (std::string(otherStruct) + "." + other == setting)
                                       MakeDifferent{}(otherStruct, other, field);
                               });
        EXPECT_NE(ProjectContents(changed), saved) << setting;
        ++settings;
    });
    EXPECT_GT(settings, 100);
}

TEST(WorkspaceSettingLines, EveryNameIsUnique) {
    std::set<std::string> names;
    Workspace ws;
    VisitWorkspaceSettings(ws, [&](const char* structName, const char* name, auto&) {
        EXPECT_TRUE(names.insert(std::string(structName) + "." + name).second) << name;
    });
}

}  // namespace
}  // namespace fsc
