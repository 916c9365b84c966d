// Gallery projects on real files: save and open round trips with images from several
// folders, the reading rules of the six lines, and damaged projects.
#include <gtest/gtest.h>

#include "CommandTestSupport.h"
#include "SettingsPrinters.h"
#include "TemplateTestSupport.h"
#include "app/AddImages.h"
#include "app/GalleryProject.h"
#include "base/Errors.h"
#include "base/Text.h"

namespace fsc {
namespace {

using test::IsOld;
using test::MakeOld;
using test::MessageOf;
using test::TCommandFixture;

class GalleryProjectTest : public ::testing::Test {
protected:
    TCommandFixture f;
    std::string Project = f.Root / "my.gal";

    void SetUp() override {
        ASSERT_TRUE(AddOneFile(f.Ws.Images, f.Picture("a.jpg", 120, 90, "one")));
        ASSERT_TRUE(AddOneFile(f.Ws.Images, f.Picture("b.jpg", 90, 120, "two")));
        f.Ws.Images[1].FieldA = "advanced";
        f.Ws.Images[1].Description = "first\r\nsecond";
        f.Ws.Main.HTMLFile = "gallery";
        f.Ws.Main.ImageDir = "pics";
        f.Ws.Main.Style = TGalleryStyle::List;
        f.Ws.Main.ThumbWidth = 90;
    }
    void Save() { SaveGalleryProject(f.Ws, Project, f.Messages, f.Progress); }
};

TEST_F(GalleryProjectTest, SaveWritesTheSixLinesTheTemplateAndTheImageCopies) {
    Save();
    EXPECT_EQ(ReadFileBytes(Project),
              "FOLIOSCOPE 2 GALLERY\r\nTEMPLATE=template.tpl\r\nIMAGES=images.set\r\nMAINDIR=" +
                  f.Site + "\r\nIMAGEDIR=pics\r\nHTMLFILE=gallery.html\r\n");
    EXPECT_TRUE(FileExists(f.Root / "my.gal.dir/template.tpl"));
    EXPECT_TRUE(FileExists(f.Root / "my.gal.dir/images.set.dir/a.jpg"));
    EXPECT_TRUE(FileExists(f.Root / "my.gal.dir/images.set.dir/b.jpg"));
    EXPECT_EQ(f.Ws.Images[0].FileName, f.Root / "my.gal.dir/images.set.dir/a.jpg");
}

TEST_F(GalleryProjectTest, OpenReplacesTheListUsesTheCopiesAndBuilds) {
    Save();
    TCommandFixture other;
    ASSERT_TRUE(AddOneFile(other.Ws.Images, other.Picture("old.jpg")));
    other.Ws.Main.UseTargetFrame = true;
    other.Ws.Main.TargetFrame = "main";
    other.Ask.Answers = {true};
    OpenGalleryProject(other.Ws, other.Panel, Project, other.Ask, other.Progress);

    ASSERT_EQ(other.Names(), (std::vector<std::string>{"a.jpg", "b.jpg"}));
    EXPECT_EQ(other.Ws.Images[0].FileName, f.Root / "my.gal.dir/images.set.dir/a.jpg");
    EXPECT_EQ(other.Ws.Images[1].Description, "first\r\nsecond");
    EXPECT_EQ(other.Ws.Main.HTMLDir, f.Site);
    EXPECT_EQ(other.Ws.Main.ImageDir, "pics");
    EXPECT_EQ(other.Ws.Main.HTMLFile, "gallery.html");
    EXPECT_EQ(other.Ws.Main.TargetFrame, "");
    EXPECT_EQ(other.Ws.Main.Style, TGalleryStyle::List);
    EXPECT_EQ(other.Ws.Main.ThumbWidth, 90);
    EXPECT_EQ(other.Ws.Main.TemplateName, "USER:" + f.Root / "my.gal.dir/template.tpl");
    EXPECT_EQ(other.Ws.Selection.Entries.front(), other.Ws.Main.TemplateName);
    EXPECT_TRUE(other.Panel.ShowAdvancedOptions);

    // The originals are gone; the gallery is built from the project's copies.
    std::filesystem::remove_all(f.Root / "one");
    std::filesystem::remove_all(f.Root / "two");
    CreateGallery(other.Ws, TCreateMode::MainWindow, other.Services);
    EXPECT_TRUE(FileExists(f.Site + "/gallery.html"));
    EXPECT_EQ(LoadPicture(f.Site + "/pics/b.jpg").Height, 120);
}

TEST_F(GalleryProjectTest, SavingTwiceCopiesNoImageAgain) {
    Save();
    const std::string copy = f.Root / "my.gal.dir/images.set.dir/a.jpg";
    MakeOld(copy);
    Save();
    EXPECT_TRUE(IsOld(copy));
}

TEST_F(GalleryProjectTest, OpeningGivesBackEveryLayoutsSettingsAndTheWatermarkText) {
    test::ChangeTemplateSettings(f.Ws);
    // A list gallery whose table, paragraph, collage and slide show keep values of their
    // own, and a watermark text the Special window shows while the editor never had it.
    f.Ws.Main.Style = TGalleryStyle::List;
    f.Ws.Main.ListRows = 24;
    f.Ws.Table.Border = 2;
    f.Ws.Special.Watermark = false;
    f.Ws.Special.WatermarkText = DefaultWatermarkText();
    f.Ws.Watermark.Text.clear();
    Save();
    EXPECT_TRUE(f.Messages.Errors.empty());

    TCommandFixture other;
    other.Ask.Answers = {true};
    OpenGalleryProject(other.Ws, other.Panel, Project, other.Ask, other.Progress);
    MainSettings main = f.Ws.Main;
    main.TemplateName = other.Ws.Main.TemplateName;
    EXPECT_EQ(other.Ws.Main, main);
    EXPECT_EQ(other.Ws.Table, f.Ws.Table);
    EXPECT_EQ(other.Ws.List, f.Ws.List);
    EXPECT_EQ(other.Ws.Para, f.Ws.Para);
    EXPECT_EQ(other.Ws.Collage, f.Ws.Collage);
    EXPECT_EQ(other.Ws.SlideShow, f.Ws.SlideShow);
    EXPECT_EQ(other.Ws.Special, f.Ws.Special);
    // The editor gets the text the Special window showed, as switching the watermark on would.
    WatermarkOptions watermark = f.Ws.Watermark;
    watermark.Text = DefaultWatermarkText();
    EXPECT_EQ(other.Ws.Watermark, watermark);
    EXPECT_EQ(other.Ws.Schemes, f.Ws.Schemes);
    EXPECT_EQ(TemplateDescription(LoadLines(f.Root / "my.gal.dir/template.tpl")),
              "Saved settings: list layout, thumbnails 120 x 90.");

    // A project saved before each layout kept its own values wrote the list's rows for the
    // table too and one column; it opens as it always did.
    const std::string tpl = f.Root / "my.gal.dir/template.tpl";
    TStringList lines = LoadLines(tpl);
    for (std::string& line : lines) {
        if (StartsWith(line, "TABLEROWS=")) line = "TABLEROWS=24";
        if (StartsWith(line, "TABLECOLS=")) line = "TABLECOLS=1";
    }
    lines.erase(lines.begin());  // no description either
    SaveLines(tpl, lines);
    TCommandFixture older;
    older.Ask.Answers = {true};
    OpenGalleryProject(older.Ws, older.Panel, Project, older.Ask, older.Progress);
    EXPECT_EQ(older.Ws.Main.Style, TGalleryStyle::List);
    EXPECT_EQ(older.Ws.Main.ListRows, 24);
    EXPECT_EQ(older.Ws.Main.Rows, 24);
    EXPECT_EQ(older.Ws.Main.Cols, 1);
    EXPECT_EQ(older.Ws.List, f.Ws.List);
}

TEST_F(GalleryProjectTest, BlankValuesKeepTheFieldsAndOtherLinesAreIgnored) {
    Save();
    SaveLines(Project, {"ANYTHING", "MAINDIR=   ", "IMAGEDIR=", "HTMLFILE= other.html ",
                        "TEMPLATE=elsewhere.tpl"});
    TCommandFixture other;
    other.Ask.Answers = {true};
    OpenGalleryProject(other.Ws, other.Panel, Project, other.Ask, other.Progress);
    EXPECT_EQ(other.Ws.Main.HTMLDir, other.Site);
    EXPECT_EQ(other.Ws.Main.ImageDir, "images");
    EXPECT_EQ(other.Ws.Main.HTMLFile, "other.html");
    EXPECT_EQ(other.Names(), (std::vector<std::string>{"a.jpg", "b.jpg"}));
}

TEST_F(GalleryProjectTest, AProjectWithoutImageSetOpensWithAnEmptyList) {
    Save();
    std::filesystem::remove(f.Root / "my.gal.dir/images.set");
    TCommandFixture other;
    ASSERT_TRUE(AddOneFile(other.Ws.Images, other.Picture("old.jpg")));
    OpenGalleryProject(other.Ws, other.Panel, Project, other.Ask, other.Progress);
    EXPECT_TRUE(other.Ws.Images.empty());
    EXPECT_EQ(other.Ws.Main.HTMLFile, "gallery.html");
}

TEST_F(GalleryProjectTest, DamagedProjectsFailNamingTheFileAndChangeNothing) {
    Save();
    const std::string goodSet = ReadFileBytes(f.Root / "my.gal.dir/images.set");
    const struct {
        const char* fault;
        TStringList lines;
        std::string set;
        const char* message;
    } cases[] = {
        {"truncated after MAINDIR",
         {"FOLIOSCOPE 2 GALLERY", "MAINDIR=/x"},
         goodSet,
         "is damaged: it has no \"IMAGEDIR=\" line."},
        {"not a project at all", {"hello"}, goodSet, "is damaged: it has no \"MAINDIR=\" line."},
        {"damaged image set",
         {"MAINDIR=/x", "IMAGEDIR=i", "HTMLFILE=h.html"},
         goodSet.substr(0, 100),
         "The image set"},
        {"image name leaving the image folder",
         {"MAINDIR=/x", "IMAGEDIR=i", "HTMLFILE=h.html"},
         ReplaceFirst(goodSet, "<#THUMB1Name#>b.jpg", "<#THUMB1Name#>..\\..\\b.jpg"),
         "which is not a plain file name"},
    };
    for (const auto& c : cases) {
        SaveLines(Project, c.lines);
        WriteFileBytes(f.Root / "my.gal.dir/images.set", c.set);
        TCommandFixture other;
        ASSERT_TRUE(AddOneFile(other.Ws.Images, other.Picture("old.jpg")));
        const MainSettings before = other.Ws.Main;
        const std::string message = MessageOf<EUserInputError>(
            [&] { OpenGalleryProject(other.Ws, other.Panel, Project, other.Ask, other.Progress); });
        EXPECT_NE(message.find(c.message), std::string::npos) << c.fault << ": " << message;
        EXPECT_NE(message.find(f.Root.Path()), std::string::npos) << c.fault << ": " << message;
        EXPECT_EQ(other.Names(), (std::vector<std::string>{"old.jpg"})) << c.fault;
        EXPECT_TRUE(other.Ws.Main == before) << c.fault;
    }
    EXPECT_THROW(OpenGalleryProject(f.Ws, f.Panel, f.Root / "missing.gal", f.Ask, f.Progress),
                 EFscError);
}

}  // namespace
}  // namespace fsc
