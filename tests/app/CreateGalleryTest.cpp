// The create-gallery command end to end: real pictures, a real build into a temporary
// folder, the checks, the undo history between builds, the modes and the settings.
#include <gtest/gtest.h>
#include <utime.h>

#include <ctime>

#include "CommandTestSupport.h"
#include "app/AddImages.h"
#include "app/BuildWithoutUnreadable.h"
#include "app/DirectoryFields.h"
#include "app/GalleryUndo.h"
#include "base/Errors.h"
#include "base/TDateTime.h"
#include "engine/GalleryHistories.h"
#include "engine/Undo.h"

namespace fsc {
namespace {

using test::MessageOf;
using test::TCommandFixture;

class CreateGalleryTest : public ::testing::Test {
protected:
    TCommandFixture f;
    void AddPictures(int count) {
        for (int i = 0; i < count; ++i) {
            ASSERT_TRUE(AddOneFile(f.Ws.Images, f.Picture("photo" + std::to_string(i) + ".jpg")));
        }
    }
    std::vector<std::string> PageNames() const {
        std::vector<std::string> names;
        for (const TFSC_File& page : f.Ws.LastHTML->Files) names.push_back(page.FileName);
        return names;
    }
    std::vector<std::string> SiteFiles(const std::string& sub = "") const {
        std::vector<std::string> names;
        if (!DirectoryExists(f.Site + sub)) return names;
        for (const TDirEntry& entry : ListDirectory(f.Site + sub)) {
            if (!entry.IsDirectory) names.push_back(entry.Name);
        }
        return names;
    }
};

TEST_F(CreateGalleryTest, BuildsTheGalleryAndOpensItsPage) {
    AddPictures(2);
    f.Ws.Main.HTMLFile = " index ";
    f.Create();
    EXPECT_EQ(f.Ws.Main.HTMLFile, "index.html");
    EXPECT_EQ(SiteFiles(), (std::vector<std::string>{"index.html"}));
    EXPECT_EQ(SiteFiles("/images"), (std::vector<std::string>{"photo0.jpg", "photo0_th.jpg",
                                                              "photo1.jpg", "photo1_th.jpg"}));
    EXPECT_NE(ReadFileBytes(f.Site + "/index.html").find("images/photo1_th.jpg"),
              std::string::npos);
    EXPECT_EQ(f.Shell.Opened, (std::vector<std::string>{f.Site + "/index.html"}));
    EXPECT_EQ(f.Ws.LastHTMLFile, "index.html");
    EXPECT_EQ(f.Ws.LastHTMLDir, f.Site);
    ASSERT_TRUE(f.Ws.LastImages && f.Ws.LastHTML);
    EXPECT_EQ(f.Ws.LastImages->HTML, f.Ws.LastHTML.get());
    EXPECT_EQ(f.Ws.LastHTML->Images, f.Ws.LastImages.get());
    EXPECT_EQ(f.Ws.LastImages->ThumbSuffix, "_th");
    EXPECT_FALSE(f.Ws.LastImages->KeepOriginals);
}

TEST_F(CreateGalleryTest, ChecksStopTheCommandBeforeAnythingChanges) {
    f.Ws.Main.HTMLFile = "index.html";
    EXPECT_EQ(MessageOf<EUserInputError>([&] { f.Create(); }),
              "No images! Please add images to the gallery.");
    AddPictures(1);
    f.Ws.Main.HTMLFile = "   ";
    EXPECT_EQ(MessageOf<EUserInputError>([&] { f.Create(); }), "No HTML file was selected.");
    EXPECT_EQ(f.Ws.LastHTMLDir, "");
    EXPECT_FALSE(f.Ws.LastHTML);
    EXPECT_FALSE(DirectoryExists(f.Site));
    EXPECT_TRUE(f.Shell.Opened.empty());
}

// The desktop's way past a damaged photo: "No" stops as ever, "Yes" builds without it.
TEST_F(CreateGalleryTest, AnUnreadablePictureIsLeftOutOnlyWhenTheUserSaysSo) {
    AddPictures(2);
    const std::string damaged = f.Picture("damaged.jpg");
    ASSERT_TRUE(AddOneFile(f.Ws.Images, damaged));
    const std::string whole = ReadFileBytes(damaged);
    WriteFileBytes(damaged, whole.substr(0, whole.size() / 3));
    f.Ws.Main.HTMLFile = "index.html";

    f.Ask.Answers = {false};
    EXPECT_THROW(CreateGalleryOrSkipUnreadable(f.Ws, TCreateMode::MainWindow, f.Services),
                 EUnreadablePicture);
    ASSERT_EQ(f.Ask.Asked.size(), 1u);
    EXPECT_NE(f.Ask.Asked[0].first.find("damaged.jpg"), std::string::npos);
    EXPECT_EQ(f.Ask.Asked[0].second, BuildWithoutUnreadableQuestion);

    f.Ask.Answers = {true};
    CreateGalleryOrSkipUnreadable(f.Ws, TCreateMode::MainWindow, f.Services);
    EXPECT_EQ(SiteFiles("/images"), (std::vector<std::string>{"photo0.jpg", "photo0_th.jpg",
                                                              "photo1.jpg", "photo1_th.jpg"}));
    EXPECT_EQ(ReadFileBytes(f.Site + "/index.html").find("damaged"), std::string::npos);
    ASSERT_FALSE(f.Messages.Others.empty());
    EXPECT_NE(f.Messages.Others.back().find("Left out \"" + damaged + "\""), std::string::npos)
        << f.Messages.Others.back();
    EXPECT_NE(f.Messages.Others.back().find("1 picture could not be read"), std::string::npos);
    EXPECT_FALSE(f.Ws.SkipBadPictures) << "skipping is for that one build";

    // One undo takes the gallery back to before both builds.
    Undo(f.Ws.Journal);
    EXPECT_TRUE(SiteFiles("/images").empty());
}

// Refused before the history removes the previous pages, so the gallery stays as it was.
TEST_F(CreateGalleryTest, AnImageDirectoryOutsideTheHTMLDirectoryStopsTheBuildFirst) {
    AddPictures(1);
    f.Ws.Main.HTMLFile = "index.html";
    f.Create();
    for (const char* outside : {"../escape", "pics/../../escape", "/photos", "\\photos"}) {
        SetImageDir(f.Ws, outside);
        EXPECT_EQ(
            MessageOf<EFSC_Exception>([&] { f.Create(); }),
            std::string("Image directory \"") + outside + "\" lies outside the HTML directory.");
        EXPECT_EQ(SiteFiles(), (std::vector<std::string>{"index.html"})) << outside;
    }
    EXPECT_FALSE(DirectoryExists(f.Site + "/../escape"));
    SetImageDir(f.Ws, "");
    f.Create();
    EXPECT_EQ(SiteFiles(), (std::vector<std::string>{"index.html", "photo0.jpg", "photo0_th.jpg"}));
}

TEST_F(CreateGalleryTest, AWatermarkWithoutTextStopsTheBuildInsteadOfStampingNothing) {
    AddPictures(1);
    f.Ws.Main.HTMLFile = "index.html";
    f.Ws.Special.Watermark = true;
    f.Ws.Watermark.Text = {" ", ""};
    EXPECT_EQ(MessageOf<EUserInputError>([&] { f.Create(); }), NoWatermarkTextText);
    EXPECT_FALSE(DirectoryExists(f.Site));
    f.Ws.Special.Watermark = false;
    f.Create();
    EXPECT_TRUE(FileExists(f.Site + "/index.html"));
}

TEST_F(CreateGalleryTest, OnlyImagesNeedsNoHTMLFileAndOpensNothing) {
    AddPictures(1);
    f.Ws.Main.NoHTML = true;
    f.Create();
    EXPECT_TRUE(SiteFiles().empty());
    EXPECT_EQ(SiteFiles("/images"), (std::vector<std::string>{"photo0.jpg", "photo0_th.jpg"}));
    EXPECT_TRUE(f.Shell.Opened.empty());
}

TEST_F(CreateGalleryTest, BuildingTwiceIntoTheSameFileRemovesOldPagesAndUndoesBoth) {
    AddPictures(3);
    f.Ws.Main.HTMLFile = "index.html";
    f.Ws.Main.Rows = 1;
    f.Ws.Main.Cols = 1;
    f.Create();
    const std::vector<std::string> firstPages = PageNames();
    ASSERT_EQ(firstPages.size(), 3u);
    for (const std::string& page : firstPages) ASSERT_TRUE(FileExists(f.Site + "/" + page)) << page;

    f.Ws.Main.Rows = 3;
    f.Ws.Main.Cols = 5;
    f.Create();
    EXPECT_EQ(SiteFiles(), (std::vector<std::string>{"index.html"}));
    UndoGallery(f.Ws.Journal, f.Ws.Images);
    EXPECT_TRUE(SiteFiles().empty());
    EXPECT_TRUE(SiteFiles("/images").empty());
}

TEST_F(CreateGalleryTest, BuildingIntoANewFileNameForgetsTheHistory) {
    AddPictures(1);
    f.Ws.Main.HTMLFile = "first.html";
    f.Create();
    f.Ws.Main.HTMLFile = "second.html";
    f.Create();
    Undo(f.Ws.Journal);
    EXPECT_EQ(SiteFiles(), (std::vector<std::string>{"first.html"}));
}

TEST_F(CreateGalleryTest, AHistoryOnDiskFollowsTheRulesOfTheRun) {
    const std::string histories = f.State + "/history";
    f.Services.HistoryFolder = histories;
    AddPictures(3);
    f.Ws.Main.HTMLFile = "first.html";
    f.Ws.Main.Rows = 1;
    f.Ws.Main.Cols = 1;
    f.Create();
    f.Ws.Main.Rows = 3;
    f.Ws.Main.Cols = 5;
    f.Create();
    std::vector<THistorySummary> listed = ListHistories(histories);
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_EQ(listed[0].Gallery, f.Site + "/first.html");
    EXPECT_TRUE(listed[0].Builds.at(0).Finished);
    EXPECT_EQ(listed[0].Builds.at(0).CreatedFiles, f.Ws.Journal.CreatedFiles.size());

    // The two builds of one gallery are two entries of its stack; the one page the second
    // build no longer needs went with it.
    EXPECT_EQ(listed[0].Builds.size(), 2u);
    EXPECT_EQ(SiteFiles(), (std::vector<std::string>{"first.html"}));

    // Another file name is another gallery, with a history of its own; the first keeps its.
    f.Ws.Main.HTMLFile = "second.html";
    f.Create();
    listed = ListHistories(histories);
    ASSERT_EQ(listed.size(), 2u);
    EXPECT_NE(listed[0].Gallery, listed[1].Gallery);
    UndoGallery(f.Ws.Journal, f.Ws.Images);
    EXPECT_EQ(SiteFiles(), (std::vector<std::string>{"first.html"}));
    ASSERT_EQ(ListHistories(histories).size(), 1u);
    EXPECT_THROW(UndoGallery(f.Ws.Journal, f.Ws.Images), EUserInputError);
}

TEST_F(CreateGalleryTest, ABuildThatNeverFinishedIsOfferedForUndoAtTheNextStart) {
    const std::string histories = f.State + "/history";
    f.Services.HistoryFolder = histories;
    AddPictures(2);
    ForceDirectories(f.Site);
    WriteFileBytes(f.Site + "/index.html", "the user's page");
    f.Ws.Main.HTMLFile = "index.html";
    f.Create();
    // The next build begins, and the process dies with it.
    AttachHistory(f.Ws.Journal, histories, f.Site + "/index.html");
    f.Ws.Journal = TBuildJournal{};

    f.Ask.Answers = {false};
    OfferUndoOfUnfinishedBuilds(histories, f.Ask);
    ASSERT_EQ(f.Ask.Asked.size(), 1u);
    EXPECT_EQ(f.Ask.Asked[0].first,
              "The last build of the gallery \"" + f.Site + "/index.html\" did not finish.");
    EXPECT_EQ(SiteFiles("/images").size(), 4u);
    f.Ask.Answers = {true};
    OfferUndoOfUnfinishedBuilds(histories, f.Ask);
    EXPECT_EQ(ReadFileBytes(f.Site + "/index.html"), "the user's page");
    EXPECT_TRUE(SiteFiles("/images").empty());
    OfferUndoOfUnfinishedBuilds(histories, f.Ask);
    EXPECT_EQ(f.Ask.Asked.size(), 2u);
}

TEST_F(CreateGalleryTest, EachBuildStartsWithoutTheCollagePicturesAndWarningsOfTheLast) {
    // The upload sends the extra pictures: stale ones would name files no longer written.
    AddPictures(2);
    f.Ws.Main.HTMLFile = "index.html";
    f.Ws.Main.Style = TGalleryStyle::Collage;
    const TStringList navigation = f.Ws.Schemes.Navigation.Text;
    f.Ws.Schemes.Navigation.Text = {"<!-IFSOMEWHERE->x<!-ENDIF->"};
    f.Create();
    EXPECT_EQ(f.Ws.Journal.ExtraImages, TStringList{f.Site + "/images/index.html1.jpg"});
    EXPECT_FALSE(f.Ws.Journal.Warnings.empty());
    f.Ws.Main.Style = TGalleryStyle::Table;
    f.Ws.Schemes.Navigation.Text = navigation;
    f.Create();
    EXPECT_EQ(f.Ws.Journal.ExtraImages, TStringList{});
    EXPECT_EQ(f.Ws.Journal.Warnings, TStringList{});
}

TEST_F(CreateGalleryTest, PagesTakeTheChosenExtensionElseTheOptionsOne) {
    const struct {
        bool useDefaultExt;
        const char* field;
        const char* option;
        const char* expected;
    } cases[] = {
        {true, "php", "htm", "php"}, {false, "php", "htm", "htm"}, {false, "php", "", "html"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expected);
        TCommandFixture g;
        for (int i = 0; i < 2; ++i)
            AddOneFile(g.Ws.Images, g.Picture("p" + std::to_string(i) + ".jpg"));
        g.Ws.Main.HTMLFile = "index.html";
        g.Ws.Main.LinkToHTML = true;
        g.Ws.Main.UseDefaultExt = c.useDefaultExt;
        g.Ws.Main.DefaultExt = c.field;
        g.Ws.Program.DefaultHTMLExt = c.option;
        g.Create();
        const std::string ext = std::string(".") + c.expected;
        EXPECT_TRUE(FileExists(g.Site + "/images/image_p0.jpg" + ext)) << "an image page";
        const std::string index = ReadFileBytes(g.Site + "/index.html");
        EXPECT_NE(index.find("\"images/image_p0.jpg" + ext + "\""), std::string::npos);
    }
}

TEST_F(CreateGalleryTest, TheDateTagShowsThePicturesFileDate) {
    const std::string picture = f.Picture("dated.jpg");
    std::tm noon{};
    noon.tm_year = 2001 - 1900;
    noon.tm_mon = 1;
    noon.tm_mday = 3;
    noon.tm_hour = 12;
    noon.tm_isdst = -1;
    const std::time_t when = std::mktime(&noon);
    const struct utimbuf times { when, when };
    ASSERT_EQ(::utime(picture.c_str(), &times), 0);
    ASSERT_TRUE(AddOneFile(f.Ws.Images, picture));
    f.Ws.Main.HTMLFile = "index.html";
    f.Ws.Schemes.Thumbnail.Text = {"<!-THUMB->", "[<!-DATE->]"};
    f.Create();
    const std::string expected = "[" + ShortDateString(EncodeDateTime(2001, 2, 3)) + "]";
    EXPECT_NE(ReadFileBytes(f.Site + "/index.html").find(expected), std::string::npos) << expected;
}

TEST_F(CreateGalleryTest, PreparationFillsTheSettingsWithoutChecksOrBuild) {
    const struct {
        TGalleryStyle style;
        int layout, rows, cols;
    } cases[] = {{TGalleryStyle::Table, LayoutTable, 3, 5},
                 {TGalleryStyle::List, LayoutList, 7, 1},
                 {TGalleryStyle::Paragraph, LayoutParagraph, 7, 1},
                 {TGalleryStyle::SlideShow, LayoutSlideShow, 7, 1},
                 {TGalleryStyle::Collage, LayoutCollage, 3, 5}};
    for (const auto& c : cases) {
        TCommandFixture g;
        g.Ws.Main.Style = c.style;
        g.Ws.Main.ListRows = 7;
        g.Ws.Program.DefaultHTMLExt = "";
        g.Ws.Main.HTMLFile = "page";
        g.Ws.Table.Border = 4;
        PrepareGallerySettings(g.Ws, g.Messages);
        const TFSC_HTML& html = *g.Ws.LastHTML;
        EXPECT_EQ(html.Layout, c.layout) << c.layout;
        EXPECT_EQ(html.Rows, c.rows) << c.layout;
        EXPECT_EQ(html.Cols, c.cols) << c.layout;
        EXPECT_EQ(html.PageExt, "html") << c.layout;
        EXPECT_EQ(g.Ws.Template.TableBorder, 4) << c.layout;
        EXPECT_EQ(g.Ws.Template.GalleryFileName, "page.html") << c.layout;
        EXPECT_EQ(g.Ws.LastHTMLFile, "page.html") << c.layout;
        EXPECT_FALSE(DirectoryExists(g.Site)) << c.layout;
    }
}

TEST_F(CreateGalleryTest, AUserTemplatePathIsReadWhereverItLies) {
    const std::string tpl = f.Root / "elsewhere/mine.tpl";
    ForceDirectories(f.Root / "elsewhere");
    SaveLines(tpl, {"INDEXFILE=mine.html"});
    SaveLines(f.Root / "elsewhere/mine.html", {"<html><body>MINE <!-GALLERY-></body></html>"});
    f.Ws.Selection.UseTemplate = true;
    f.Ws.Main.TemplateName = "USER:" + tpl;
    AddPictures(1);
    f.Ws.Main.HTMLFile = "index.html";
    f.Create();
    EXPECT_NE(ReadFileBytes(f.Site + "/index.html").find("MINE"), std::string::npos);
}

TEST_F(CreateGalleryTest, TheDirectoryToolKeepsOriginalsAndItsHistory) {
    AddPictures(1);
    f.Ws.Main.HTMLFile = "a.html";
    f.Create(TCreateMode::DirectoryTreeTool);
    EXPECT_EQ(f.Ws.LastImages->ThumbSuffix, "_fsc_th");
    EXPECT_TRUE(f.Ws.LastImages->KeepOriginals);
    EXPECT_FALSE(f.Ws.LastImages->CopyVariants) << "nothing unmarked among the user's photos";
    EXPECT_TRUE(FileExists(f.Site + "/images/photo0_fsc_th.jpg"));
    f.Ws.Main.HTMLFile = "b.html";
    CreateGallery(f.Ws, TCreateMode::DirectoryTreeTool, f.Services, {true});
    EXPECT_FALSE(f.Ws.LastImages->KeepOriginals);
    EXPECT_TRUE(f.Shell.Opened.empty());
    // The second build did not forget the first: one undo removes both pages.
    Undo(f.Ws.Journal);
    EXPECT_TRUE(SiteFiles().empty());
}

TEST_F(CreateGalleryTest, WizardStartChecksAndMayUndoTheOldGallery) {
    bool dialogShown = false;
    EXPECT_EQ(MessageOf<EUserInputError>(
                  [&] { WizardCreateGallery(f.Ws, f.Services, [&] { dialogShown = true; }); }),
              "No Pictures selected!");
    AddPictures(1);
    EXPECT_EQ(MessageOf<EUserInputError>(
                  [&] { WizardCreateGallery(f.Ws, f.Services, [&] { dialogShown = true; }); }),
              WizardNoHTMLFileText);
    EXPECT_TRUE(dialogShown);
    // A name chosen in the dialog ends the command without a build.
    WizardCreateGallery(f.Ws, f.Services, [&] { f.Ws.Main.HTMLFile = "old.html"; });
    EXPECT_FALSE(DirectoryExists(f.Site));

    WizardCreateGallery(f.Ws, f.Services, nullptr);
    EXPECT_TRUE(FileExists(f.Site + "/old.html"));
    EXPECT_TRUE(f.Ask.Asked.empty());
    f.Ws.Main.HTMLFile = "new.html";
    f.Ask.Answers = {true};
    WizardCreateGallery(f.Ws, f.Services, nullptr);
    ASSERT_EQ(f.Ask.Asked.size(), 1u);
    EXPECT_EQ(f.Ask.Asked[0].first,
              "Remove the previously computed gallery before computing the new one?");
    EXPECT_EQ(SiteFiles(), (std::vector<std::string>{"new.html"}));
}

TEST_F(CreateGalleryTest, AFailedBuildKeepsWhatItWroteForUndo) {
    AddPictures(2);
    WriteFileBytes(f.Pictures + "/photo1.jpg", "broken now");
    f.Ws.Main.HTMLFile = "index.html";
    EXPECT_THROW(f.Create(), EFscError);
    EXPECT_TRUE(f.Shell.Opened.empty());
    EXPECT_FALSE(f.Ws.Journal.CreatedFiles.empty());
    Undo(f.Ws.Journal);
    EXPECT_TRUE(SiteFiles("/images").empty());
}

}  // namespace
}  // namespace fsc
