// The gallery model: defaults users see, the exchange sort and the build journal.
#include <gtest/gtest.h>

#include "base/Errors.h"
#include "base/Files.h"
#include "engine/EngineFixture.h"
#include "engine/JournalFile.h"
#include "engine/SortThumbnails.h"
#include "engine/TFSC_HTML.h"
#include "engine/TTemplate.h"
#include "support/TempDir.h"

namespace fsc {
namespace {

TEST(ModelDefaults, SettingsStartAsTheControlsDo) {
    TFSC_Images images;
    TFSC_HTML html;
    EXPECT_EQ(images.ThumbWidth, 70);
    EXPECT_EQ(images.ThumbHeight, 70);
    EXPECT_EQ(images.ResizeWidth, -1);
    EXPECT_EQ(images.ThumbSuffix, "_th");
    EXPECT_EQ(html.PageExt, "html");
    EXPECT_EQ(html.ImageDir, "images");
    EXPECT_EQ(html.Rows * html.Cols, 15);
    EXPECT_EQ(JoinLines(html.NavigationScheme),
              "<!-IFPREVIOUS-> <a href=\"<!-LINK->\"> Previous </a> <!-ENDIF-> \r\n"
              "<!-IFNEXT-> <a href=\"<!-LINK->\"> Next </a> <!-ENDIF->\r\n");
    EXPECT_EQ(JoinLines(html.GalleryScheme),
              "<!-NAVIGATION-> <br><br> <!-GALLERY-> \r\n<br> <!-ORVIKLINK-> \r\n");
    EXPECT_EQ(html.RightButtonMessage, "Right Mouse Button Disabled.");
    EXPECT_TRUE(html.KeywordsFromName && html.KeywordsFromHintDesc && html.DescriptionWithHint);
}

TEST(ModelDefaults, TemplateStyleFields) {
    const TTemplate tpl = TTemplate::Create();
    EXPECT_TRUE(tpl.IndexIsGallery);
    EXPECT_EQ(JoinLines(tpl.IndexPage),
              "<!DOCTYPE html>\r\n"
              "<HTML lang=\"en\"><HEAD><meta charset=\"utf-8\"><meta name=\"viewport\" "
              "content=\"width=device-width, initial-scale=1\"><TITLE><!-NAME-></TITLE></HEAD>\r\n"
              "<BODY> <!-FOLIOSCOPE-> </BODY></HTML>\r\n");
    EXPECT_EQ(tpl.TableTDAlign, "center");
    EXPECT_EQ(tpl.TableTDVAlign, "middle");
    EXPECT_EQ(tpl.ParaAlign, "left");
    EXPECT_EQ(tpl.CollageType, "TABLE");
    EXPECT_EQ(tpl.CollageBgColor, "black = #000000 ");
    EXPECT_EQ(
        JoinLines(tpl.SlideScheme),
        "<CENTER>\r\n<!-SLIDES->\r\n<br>\r\n<!-PREVBUTTON->\r\n<!-NEXTBUTTON->\r\n</CENTER>\r\n");
    EXPECT_EQ(tpl.SlideWidth, -1);
    EXPECT_EQ(tpl.SlideHeight, 300);
    EXPECT_EQ(tpl.ImagePageSkeleton.size(), 13u);
}

TThumbnailArray Named(std::initializer_list<std::pair<const char*, double>> items) {
    TThumbnailArray thumbs;
    for (const auto& [name, date] : items) {
        TThumbnail thumb;
        thumb.Name = name;
        thumb.FileDate = date;
        thumb.FileName = std::string(name) + "@" + std::to_string(date);
        thumbs.push_back(thumb);
    }
    return thumbs;
}

std::string Order(const TThumbnailArray& thumbs) {
    std::string order;
    for (const TThumbnail& thumb : thumbs) order += thumb.FileName + " ";
    return order;
}

TEST(SortThumbnails, ExchangeSortOrders) {
    struct Case {
        const char* what;
        TThumbnailArray thumbs;
        int key;
        bool ascending;
        std::string expected;
    };
    const Case cases[] = {
        {"names ignore case, ascending", Named({{"b.jpg", 1}, {"A.jpg", 2}, {"c.jpg", 3}}),
         SortByName, true, "A.jpg@2.000000 b.jpg@1.000000 c.jpg@3.000000 "},
        {"names descending", Named({{"b.jpg", 1}, {"A.jpg", 2}, {"c.jpg", 3}}), SortByName, false,
         "c.jpg@3.000000 b.jpg@1.000000 A.jpg@2.000000 "},
        {"dates ascending", Named({{"x", 3}, {"y", 1}, {"z", 2}}), SortByDate, true,
         "y@1.000000 z@2.000000 x@3.000000 "},
        // Descending swaps equal records too, so equal dates come out reversed.
        {"equal keys swap when descending", Named({{"p", 1}, {"q", 1}, {"r", 1}}), SortByDate,
         false, "r@1.000000 q@1.000000 p@1.000000 "},
        {"equal keys stay when ascending", Named({{"p", 1}, {"q", 1}, {"r", 1}}), SortByDate, true,
         "p@1.000000 q@1.000000 r@1.000000 "},
        {"one image", Named({{"only", 5}}), SortByName, false, "only@5.000000 "},
    };
    for (Case c : cases) {
        SortThumbnails(c.thumbs, c.key, c.ascending);
        EXPECT_EQ(Order(c.thumbs), c.expected) << c.what;
    }
}

TEST(JournalFile, RecordsEveryFileAndBacksUpOnlyExistingOnes) {
    test::TempDir dir;
    test::TScriptedRandom random;
    random.Numbers = {7, 7, 5};
    TBuildJournal journal;
    const std::string backups = dir / "temp";
    WriteFileBytes(dir / "old.html", "old text");
    WriteFileBytes(dir / "other.html", "other text");
    JournalFile(journal, dir / "new.html", backups, random);
    JournalFile(journal, dir / "old.html", backups, random);
    // A second backup whose first candidate is taken moves on by a random step.
    JournalFile(journal, dir / "other.html", backups, random);
    // What the journal wrote itself is its own: undo removes it, no backup is needed.
    JournalFile(journal, dir / "old.html", backups, random);
    EXPECT_EQ(journal.CreatedFiles, (TStringList{dir / "new.html", dir / "old.html",
                                                 dir / "other.html", dir / "old.html"}));
    EXPECT_EQ(journal.RestoreFiles, (TStringList{dir / "old.html", dir / "other.html"}));
    EXPECT_EQ(journal.BackupFiles, (TStringList{backups + "/7.tmp", backups + "/12.tmp"}));
    EXPECT_EQ(ReadFileBytes(backups + "/12.tmp"), "other text");
}

TEST(JournalFile, NeverReplacesAnOlderBackupAndRecordsNothingWhenTheBackupFails) {
    test::TempDir dir;
    test::TScriptedRandom random;  // hands out zeros only: every random try hits 0.tmp
    TBuildJournal journal;
    const std::string backups = dir / "temp";
    ForceDirectories(backups);
    WriteFileBytes(backups + "/0.tmp", "an older build's backup");
    WriteFileBytes(dir / "page.html", "the user's page");
    JournalFile(journal, dir / "page.html", backups, random);
    EXPECT_EQ(ReadFileBytes(backups + "/0.tmp"), "an older build's backup");
    ASSERT_EQ(journal.BackupFiles.size(), 1u);
    EXPECT_EQ(ReadFileBytes(journal.BackupFiles[0]), "the user's page");

    // A file where the backup folder should be: the backup fails and the page is not
    // claimed as created, so an undo cannot delete it.
    TBuildJournal failed;
    WriteFileBytes(dir / "blocked", "");
    EXPECT_THROW(JournalFile(failed, dir / "page.html", dir / "blocked/temp", random),
                 EFSC_Exception);
    EXPECT_TRUE(failed.CreatedFiles.empty());
    EXPECT_TRUE(failed.BackupFiles.empty());
}

}  // namespace
}  // namespace fsc
