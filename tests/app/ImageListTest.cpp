// The image list operations on real files: naming and clash rules, adding files and
// folders, editing, moving, sorting, and the fields of the "Directories" panel.
#include <gtest/gtest.h>

#include "CommandTestSupport.h"
#include "app/AddImages.h"
#include "app/DirectoryFields.h"
#include "app/ImageListEdit.h"
#include "app/ImageNames.h"
#include "app/PanelSwitches.h"
#include "base/Errors.h"
#include "base/Files.h"
#include "imaging/ExifSamples.h"
#include "imaging/PictureSamples.h"

namespace fsc {
namespace {

using test::MessageOf;
using test::TCommandFixture;
using Names = std::vector<std::string>;

TEST(ImageNames, SaveAsNameReplacesUnsafeCharactersAndTheExtension) {
    const struct {
        const char* path;
        const char* name;
    } cases[] = {
        {"/p/My Photo [1].bmp", "My_Photo__1_.jpg"},
        {"/p/a%20b.png", "a_b.jpg"},
        {"/p/50%.jpeg", "50_.jpg"},
        {"C:\\pics\\x.BMP", "x.jpg"},
        {"/p/no extension", "no_extension.jpg"},
        {"/p/two.dots.png", "two.dots.jpg"},
    };
    for (const auto& c : cases) EXPECT_EQ(SaveAsName(c.path), c.name) << c.path;
}

TEST(ImageNames, RepairOnShowAppendsJpgAndTurnsBracketsIntoParentheses) {
    const struct {
        const char* name;
        const char* shown;
    } cases[] = {{"pic.png", "pic.png.jpg"},
                 {"a.JPEG", "a.JPEG"},
                 {"b.Jpg", "b.Jpg"},
                 {"[x].jpg", "(x).jpg"},
                 {"c", "c.jpg"}};
    for (const auto& c : cases) EXPECT_EQ(RepairShownName(c.name), c.shown) << c.name;
}

TEST(ImageNames, PlainFileNamesHaveNoSeparatorsAndDoNotClimb) {
    for (const char* good : {"a.jpg", "x y.jpg", "..a.jpg"})
        EXPECT_TRUE(IsPlainFileName(good)) << good;
    for (const char* bad :
         {"", " ", ".", "..", "../a.jpg", "sub/a.jpg", "sub\\a.jpg", "/a.jpg", "c:a.jpg"}) {
        EXPECT_FALSE(IsPlainFileName(bad)) << bad;
    }
}

TEST(AddOneFile, TheSameFileThreeTimesGetsClashFreeNames) {
    TCommandFixture f;
    const std::string path = f.Picture("x.jpg");
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(AddOneFile(f.Ws.Images, path));
    EXPECT_EQ(f.Names(), (Names{"x.jpg", "x_2.jpg", "x_2_2.jpg"}));
    for (const TThumbnail& thumb : f.Ws.Images) {
        EXPECT_EQ(thumb.Link, thumb.Name);
        EXPECT_EQ(thumb.FileName, path);
        EXPECT_EQ(thumb.FileDate, FileDate(path));
    }
}

TEST(AddOneFile, AnEarlierRecordIsNotLookedAtAgain) {
    TCommandFixture f;
    f.Ws.Images.resize(2);
    f.Ws.Images[0].Name = "a_2.jpg";
    f.Ws.Images[1].Name = "a.jpg";
    ASSERT_TRUE(AddOneFile(f.Ws.Images, f.Picture("a.jpg")));
    EXPECT_EQ(f.Ws.Images.back().Name, "a_2.jpg");
    EXPECT_EQ(MessageOf<EFSC_Exception>([&] { CheckIdenticalNames(f.Ws.Images); }),
              "Warning: 2 identical image names - at 1 and 3 - name: a_2.jpg");
}

TEST(AddOneFile, NamesWithBlanksAndBracketsAreRepaired) {
    TCommandFixture f;
    ASSERT_TRUE(AddOneFile(f.Ws.Images, f.Picture("My Photo [1].jpg")));
    EXPECT_EQ(f.Names(), (Names{"My_Photo__1_.jpg"}));
}

TEST(AddOneFile, AMissingFileIsSkippedAndABrokenOneStopsWithTheListUnchanged) {
    TCommandFixture f;
    EXPECT_FALSE(AddOneFile(f.Ws.Images, f.Pictures + "/missing.jpg"));
    WriteFileBytes(f.Pictures + "/broken.jpg", "not a picture");
    EXPECT_THROW(AddOneFile(f.Ws.Images, f.Pictures + "/broken.jpg"), EFscError);
    EXPECT_TRUE(f.Ws.Images.empty());
}

TEST(AddImageFiles, SkipsOtherExtensionsAndKeepsWhatCameBeforeABrokenFile) {
    TCommandFixture f;
    WriteFileBytes(f.Pictures + "/notes.txt", "text");
    WriteFileBytes(f.Pictures + "/broken.png", "not a picture");
    const TStringList paths = {f.Picture("b.jpg"), f.Pictures + "/notes.txt", f.Picture("a.JPG"),
                               f.Pictures + "/broken.png", f.Picture("c.jpg")};
    const std::string message =
        MessageOf<EFSC_Exception>([&] { AddImageFiles(f.Ws, f.Panel, paths, f.Progress); });
    EXPECT_TRUE(message.starts_with("Cannot read the picture \"" + f.Pictures + "/broken.png\": "))
        << message;
    EXPECT_EQ(f.Names(), (Names{"b.jpg", "a.jpg"}));
    EXPECT_TRUE(f.Progress.Hidden);
    EXPECT_EQ(f.Progress.Texts.front(), "Folioscope. Adding Images.");

    // A JPEG cut short is read by the JPEG reader's own path, and named as well.
    const std::string cut = f.Picture("cut.jpg");
    const std::string bytes = ReadFileBytes(cut);
    WriteFileBytes(cut, bytes.substr(0, bytes.size() / 2));
    const std::string cutMessage =
        MessageOf<EFSC_Exception>([&] { AddImageFiles(f.Ws, f.Panel, {cut}, f.Progress); });
    EXPECT_TRUE(cutMessage.starts_with("Cannot read the picture \"" + cut + "\": ")) << cutMessage;
}

TEST(AddImageFolder, AddsEveryPictureNameInNameOrderButTheTreeToolsOwn) {
    TCommandFixture f;
    f.Picture("b.jpg");
    f.Picture("a.jpg");
    f.Picture("c.jpeg");
    f.Picture("a_fsc_th.jpg");
    f.Picture("a_fsc_th-3x.jpg");
    f.Picture("a_fsc_th.webp");
    f.Picture("fsc_bmp.jpg");
    WriteFileBytes(f.Pictures + "/readme.txt", "text");
    ForceDirectories(f.Pictures + "/sub.jpg");
    EXPECT_EQ(AddImageFolder(f.Ws, f.Panel, f.Pictures, f.Progress), 3);
    EXPECT_EQ(f.Names(), (Names{"a.jpg", "b.jpg", "c.jpg"}));
    EXPECT_EQ(MessageOf<EUserInputError>(
                  [&] { AddImageFolder(f.Ws, f.Panel, f.Root / "nowhere", f.Progress); }),
              "The folder \"" + f.Root / "nowhere" + "\" does not exist.");
}

TEST(PictureDialogOrder, TheLastChosenComesFirstAndTheFirstLast) {
    const struct {
        TStringList chosen, order;
    } cases[] = {{{}, {}},
                 {{"a"}, {"a"}},
                 {{"a", "b"}, {"b", "a"}},
                 {{"a", "b", "c", "d"}, {"d", "b", "c", "a"}}};
    for (const auto& c : cases)
        EXPECT_EQ(PictureDialogOrder(c.chosen), c.order) << ToCommaText(c.chosen);
}

TEST(ImageListEdit, EditsGoToTheSelectedImageOnly) {
    TCommandFixture f;
    f.Ws.Images.resize(2);
    f.Panel.ItemIndex = 1;
    EditImageText(f.Ws, f.Panel, TImageText::Name, "pic.png");
    EditImageText(f.Ws, f.Panel, TImageText::Description, "  line 1\r\nline 2 \r\n");
    EditImageText(f.Ws, f.Panel, TImageText::FieldC, " c ");
    EditImageText(f.Ws, f.Panel, TImageText::FieldA, " a ");
    EditImageSwitch(f.Ws, f.Panel, TImageSwitch::useOtherLink, true);
    const TThumbnail& edited = f.Ws.Images[1];
    EXPECT_EQ(edited.Name, "pic.png");
    EXPECT_EQ(edited.Link, "pic.png");
    EXPECT_EQ(edited.Description, "line 1\r\nline 2");
    EXPECT_EQ(edited.FieldC, "c");
    EXPECT_EQ(edited.FieldA, " a ");
    EXPECT_TRUE(edited.useOtherLink);
    EXPECT_EQ(f.Ws.Images[0], TThumbnail());

    LeaveNameField(f.Ws, f.Panel);
    EXPECT_EQ(edited.Name, "pic.png.jpg");
    EXPECT_EQ(edited.Link, "pic.png.jpg");

    f.Panel.ItemIndex = 5;
    EditImageText(f.Ws, f.Panel, TImageText::Hint, "nowhere");
    EXPECT_EQ(f.Ws.Images[0].Hint, "");
    EXPECT_EQ(f.Ws.Images[1].Hint, "");
}

class MoveTest : public ::testing::Test {
protected:
    TCommandFixture f;
    void SetUp() override {
        for (const char* name : {"a.jpg", "b.jpg", "c.jpg"}) {
            f.Ws.Images.emplace_back();
            f.Ws.Images.back().Name = name;
        }
    }
};

TEST_F(MoveTest, UpAndDownSwapWithTheNeighbourExceptAtTheEnds) {
    const struct {
        int selected;
        bool up;
        Names names;
        int after;
    } cases[] = {{0, true, {"a.jpg", "b.jpg", "c.jpg"}, 0},
                 {2, false, {"a.jpg", "b.jpg", "c.jpg"}, 2},
                 {-1, false, {"a.jpg", "b.jpg", "c.jpg"}, -1},
                 {1, true, {"b.jpg", "a.jpg", "c.jpg"}, 0},
                 {1, false, {"a.jpg", "c.jpg", "b.jpg"}, 2}};
    for (const auto& c : cases) {
        TCommandFixture g;
        g.Ws.Images = f.Ws.Images;
        g.Panel.ItemIndex = c.selected;
        c.up ? MoveImageUp(g.Ws, g.Panel) : MoveImageDown(g.Ws, g.Panel);
        EXPECT_EQ(g.Names(), c.names) << c.selected << (c.up ? " up" : " down");
        EXPECT_EQ(g.Panel.ItemIndex, c.after) << c.selected << (c.up ? " up" : " down");
    }
}

TEST_F(MoveTest, RemoveAndClear) {
    f.Panel.ItemIndex = 1;
    RemoveImage(f.Ws, f.Panel);
    EXPECT_EQ(f.Names(), (Names{"a.jpg", "c.jpg"}));
    EXPECT_EQ(ImageListHint(f.Ws), "2 Images");
    EXPECT_EQ(f.Panel.ItemIndex, 1);
    RemoveImage(f.Ws, f.Panel);
    EXPECT_EQ(f.Names(), (Names{"a.jpg"}));
    EXPECT_EQ(f.Panel.ItemIndex, -1);
    RemoveImage(f.Ws, f.Panel);
    EXPECT_EQ(f.Names(), (Names{"a.jpg"}));
    f.Panel.ItemIndex = 0;
    ClearImages(f.Ws, f.Panel);
    EXPECT_TRUE(f.Ws.Images.empty());
    EXPECT_EQ(f.Panel.ItemIndex, -1);
}

TEST(SortMenu, EqualDatesSwapWhenDescendingAndStayWhenAscending) {
    TCommandFixture f;
    for (const char* name : {"first.jpg", "second.jpg"}) {
        f.Ws.Images.emplace_back();
        f.Ws.Images.back().Name = name;
        f.Ws.Images.back().FileDate = 45000;
    }
    f.Panel.ItemIndex = 0;
    ChooseSortEntry(f.Ws, f.Panel, TSortEntry::ByDate);
    EXPECT_EQ(f.Names(), (Names{"first.jpg", "second.jpg"}));
    EXPECT_EQ(f.Panel.ItemIndex, -1);
    ChooseSortEntry(f.Ws, f.Panel, TSortEntry::Down);
    EXPECT_EQ(f.Names(), (Names{"second.jpg", "first.jpg"}));
    EXPECT_FALSE(f.Panel.SortUp);
    EXPECT_TRUE(f.Panel.SortByDate);
}

TEST(SortMenu, ByNameComparesUpperCasedAndChecksTheEntry) {
    TCommandFixture f;
    for (const char* name : {"b.jpg", "C.jpg", "a.jpg"}) {
        f.Ws.Images.emplace_back();
        f.Ws.Images.back().Name = name;
    }
    ChooseSortEntry(f.Ws, f.Panel, TSortEntry::ByName);
    EXPECT_EQ(f.Names(), (Names{"a.jpg", "b.jpg", "C.jpg"}));
    EXPECT_TRUE(f.Panel.SortByName);
    EXPECT_FALSE(f.Panel.SortByDate);
}

// "by Date Taken" goes by the camera's date, not the file's, and keeps pictures taken in
// the same second in their order, whichever way it sorts.
TEST(SortMenu, ByDateTakenReadsTheCameraDateAndKeepsEqualDatesInOrder) {
    TCommandFixture f;
    ForceDirectories(f.Pictures);
    const std::pair<const char*, const char*> photos[] = {{"late.jpg", "2024:01:02 10:00:00"},
                                                          {"burst1.jpg", "2020:06:01 12:00:00"},
                                                          {"burst2.jpg", "2020:06:01 12:00:00"},
                                                          {"early.jpg", "2019:03:04 08:00:00"}};
    for (const auto& [name, taken] : photos) {
        test::TExifSample sample;
        sample.Taken = taken;
        const std::string path = f.Pictures + "/" + name;
        WriteFileBytes(path, test::WithExif(test::JpegRgb(test::Quadrants(16, 16)),
                                            test::ExifPayload(sample)));
        f.Ws.Images.emplace_back();
        f.Ws.Images.back().Name = name;
        f.Ws.Images.back().FileName = path;
        // The files' own dates say the opposite of the cameras'.
        f.Ws.Images.back().FileDate = 50000 - double(f.Ws.Images.size());
    }
    ChooseSortEntry(f.Ws, f.Panel, TSortEntry::ByDateTaken);
    EXPECT_EQ(f.Names(), (Names{"early.jpg", "burst1.jpg", "burst2.jpg", "late.jpg"}));
    EXPECT_TRUE(f.Panel.SortByDateTaken);
    EXPECT_FALSE(f.Panel.SortByDate);
    ChooseSortEntry(f.Ws, f.Panel, TSortEntry::Down);
    EXPECT_EQ(f.Names(), (Names{"late.jpg", "burst1.jpg", "burst2.jpg", "early.jpg"}));
}

TEST(ClipboardAndCapture, NoPictureFailsOrIsSilentAndCancelAddsNothing) {
    TCommandFixture f;
    EXPECT_EQ(MessageOf<EUserInputError>([&] {
                  AddClipboardPicture(f.Ws, f.Panel, std::nullopt, [] { return std::string("x"); });
              }),
              "No image/bitmap image on clipboard.");
    const TBitmap picture = test::PatternPicture(40, 30);
    AddClipboardPicture(f.Ws, f.Panel, picture, [] { return std::nullopt; });
    EXPECT_TRUE(f.Ws.Images.empty());
    const std::string target = f.Pictures + "/clip board.jpg";
    AddClipboardPicture(f.Ws, f.Panel, picture, [&] { return target; });
    ASSERT_EQ(f.Names(), (Names{"clip_board.jpg"}));
    EXPECT_EQ(LoadPicture(target).Width, 40);

    bool dialogShown = false;
    AddCapturedPicture(f.Ws, f.Panel, std::nullopt, [&] {
        dialogShown = true;
        return target;
    });
    EXPECT_FALSE(dialogShown);
    AddCapturedPicture(f.Ws, f.Panel, picture, [&] { return target; });
    EXPECT_EQ(f.Names(), (Names{"clip_board.jpg", "clip_board_2.jpg"}));
}

TEST(AdvancedOptions, SwitchedOnAfterTheQuestionOnlyWhenAnImageUsesThem) {
    TCommandFixture f;
    f.Ws.Images.resize(1);
    CheckAdvancedOptions(f.Ws, f.Panel, f.Ask);
    EXPECT_TRUE(f.Ask.Asked.empty());
    f.Ws.Images[0].FieldB = "b";
    f.Ask.Answers = {false};
    CheckAdvancedOptions(f.Ws, f.Panel, f.Ask);
    EXPECT_FALSE(f.Panel.ShowAdvancedOptions);
    f.Ask.Answers = {true};
    CheckAdvancedOptions(f.Ws, f.Panel, f.Ask);
    EXPECT_TRUE(f.Panel.ShowAdvancedOptions);
    EXPECT_EQ(f.Ask.Asked.back().first, "Advanced Image Options are only for experts.");
}

TEST(HTMLFileCheck, ExtensionRuleWithTheOptionsList) {
    const struct {
        const char* typed;
        bool phpListed;
        const char* result;
        bool message;
    } cases[] = {
        {"index.php", true, "index.php", false}, {"index.php", false, "index.php.html", true},
        {"  page  ", true, "page.html", false},  {"page.HTM", false, "page.HTM", false},
        {"page.", true, "page..html", false},    {"", true, "", false}};
    for (const auto& c : cases) {
        TCommandFixture f;
        if (!c.phpListed) f.Ws.Program.HTMLExt = {"HTML", "HTM"};
        f.Ws.Main.HTMLFile = c.typed;
        CheckHTMLFile(f.Ws, THTMLFileCheck::CreateGallery, f.Messages, f.Ask);
        EXPECT_EQ(f.Ws.Main.HTMLFile, c.result) << c.typed;
        EXPECT_EQ(f.Messages.Errors.size(), c.message ? 1u : 0u) << c.typed;
        if (c.message) {
            EXPECT_EQ(f.Messages.Errors[0], HTMLExtensionAddedText);
        }
    }
}

TEST(HTMLFileCheck, AnEmptyDefaultExtensionStillGivesHtml) {
    TCommandFixture f;
    f.Ws.Program.DefaultHTMLExt = "";
    f.Ws.Main.HTMLFile = "gallery";
    CheckHTMLFile(f.Ws, THTMLFileCheck::CreateGallery, f.Messages, f.Ask);
    EXPECT_EQ(f.Ws.Main.HTMLFile, "gallery.html");
}

TEST(HTMLFileCheck, AnExistingFileMayBecomeTheIndexPageAskedOncePerFile) {
    TCommandFixture f;
    ForceDirectories(f.Site);
    WriteFileBytes(f.Site + "/old.html", "<html>\r\n<!-GALLERY->\r\n</html>\r\n");
    WriteFileBytes(f.Site + "/other.html", "<html>\r\n<!-GALLERY->\r\n</html>\r\n");
    f.Ws.Main.HTMLFile = "other.html";
    f.Ask.Answers = {false};
    CheckHTMLFile(f.Ws, THTMLFileCheck::Field, f.Messages, f.Ask);
    EXPECT_EQ(f.Ws.Template.IndexPage, DefaultPageSkeleton());
    // Leaving the field again, as after every build, does not ask about the same page again.
    CheckHTMLFile(f.Ws, THTMLFileCheck::Field, f.Messages, f.Ask);
    EXPECT_EQ(f.Ask.Asked.size(), 1u);

    f.Ws.Main.HTMLFile = "old.html";
    f.Ask.Answers = {true};
    CheckHTMLFile(f.Ws, THTMLFileCheck::Field, f.Messages, f.Ask);
    ASSERT_EQ(f.Ask.Asked.size(), 2u);
    EXPECT_EQ(f.Ask.Asked[1].first, "The HTML-File old.html does already exist.");
    EXPECT_EQ(f.Ask.Asked[1].second, "Use the existing file as HTML template? ");
    EXPECT_EQ(f.Ws.Template.IndexPage, (TStringList{"<html>", "<!-GALLERY->", "</html>"}));
    EXPECT_EQ(f.Ws.Template.GalleryFileName, "old.html");
    EXPECT_TRUE(f.Ws.Template.IndexIsGallery);
    CheckHTMLFile(f.Ws, THTMLFileCheck::Field, f.Messages, f.Ask);
    // The create-gallery command never asks.
    CheckHTMLFile(f.Ws, THTMLFileCheck::CreateGallery, f.Messages, f.Ask);
    EXPECT_EQ(f.Ask.Asked.size(), 2u);
}

TEST(HTMLFileSelect, ThePathBelowTheDirectoryCutBeforeHtm) {
    const struct {
        const char* chosen;
        const char* field;
    } cases[] = {{"/web/sub/page.htm", "sub/page.html"},
                 {"/WEB/Page.HTML", "Page.html"},
                 {"/web/noext", ""}};
    for (const auto& c : cases) {
        TCommandFixture f;
        f.Ws.Main.HTMLDir = "/web";
        SelectHTMLFile(f.Ws, c.chosen, f.Messages, f.Ask);
        EXPECT_EQ(f.Ws.Main.HTMLFile, c.field) << c.chosen;
        EXPECT_TRUE(f.Messages.Errors.empty()) << c.chosen;
    }
}

TEST(HTMLFileSelect, AFileOutsideTheDirectoryIsRefused) {
    for (const char* chosen : {"/other/page.html", "/web2/page.html", "/x/web/page.html"}) {
        TCommandFixture f;
        f.Ws.Main.HTMLDir = "/web/";
        f.Ws.Main.HTMLFile = "kept.html";
        EXPECT_EQ(
            MessageOf<EUserInputError>([&] { SelectHTMLFile(f.Ws, chosen, f.Messages, f.Ask); }),
            "File must be in the HTML directory.")
            << chosen;
        EXPECT_EQ(f.Ws.Main.HTMLFile, "kept.html");
    }
}

TEST(DirectoryFields, HTMLDirLosesTrailingSeparatorsAndImageDirIsTrimmed) {
    TCommandFixture f;
    SelectHTMLDir(f.Ws, std::string("/srv/web//"));
    EXPECT_EQ(f.Ws.Main.HTMLDir, "/srv/web");
    SelectHTMLDir(f.Ws, std::nullopt);
    EXPECT_EQ(f.Ws.Main.HTMLDir, "/srv/web");

    SetImageDir(f.Ws, " pics ");
    EXPECT_EQ(f.Ws.Main.ImageDir, "pics");
    // Kept as typed: the build refuses a folder outside the HTML directory, not the field.
    SetImageDir(f.Ws, "/photos/big");
    EXPECT_EQ(f.Ws.Main.ImageDir, "/photos/big");
    EXPECT_EQ(MessageOf<EUserInputError>([&] { SetImageDir(f.Ws, "c:\\pics"); }),
              ImageDirColonText);
    EXPECT_EQ(f.Ws.Main.ImageDir, "images");
}

TEST(PanelSwitches, TheExpertWarningAndTheSizeButtons) {
    TCommandFixture f;
    ClickUseDefaultExt(f.Ws, true, true, f.Messages);
    EXPECT_TRUE(f.Messages.Warnings.empty());
    ClickUseDefaultExt(f.Ws, false, false, f.Messages);
    EXPECT_TRUE(f.Messages.Warnings.empty());
    ClickUseDefaultExt(f.Ws, true, false, f.Messages);
    EXPECT_TRUE(f.Ws.Main.UseDefaultExt);
    // Nothing failed: a warning, not an error.
    EXPECT_EQ(f.Messages.Warnings, (Names{DefaultExtWarningText}));
    EXPECT_TRUE(f.Messages.Errors.empty());

    const std::pair<TThumbPreset, int> presets[] = {
        {TThumbPreset::Large, 100}, {TThumbPreset::Small, 40}, {TThumbPreset::Medium, 70}};
    for (const auto& [preset, side] : presets) {
        ChooseThumbPreset(f.Ws, preset);
        EXPECT_EQ(f.Ws.Main.ThumbWidth, side);
        EXPECT_EQ(f.Ws.Main.ThumbHeight, side);
    }
}

}  // namespace
}  // namespace fsc
