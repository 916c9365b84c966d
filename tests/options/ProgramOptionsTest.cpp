#include <gtest/gtest.h>

#include "base/Errors.h"
#include "options/ProgramOptions.h"
#include "support/OptionsPrinter.h"
#include "support/TempDir.h"

namespace fsc {
namespace {

const std::string Key = ProgramOptionsKey;

TEST(ProgramOptionsLoad, EmptyStoreGivesTheDefaults) {
    TMemorySettingsStore store;
    const ProgramOptions options = LoadProgramOptions(store);
    EXPECT_EQ(options.JPEGCompression, 50);
    EXPECT_TRUE(options.Wizard);
    EXPECT_FALSE(options.UseHTMLDir);
    EXPECT_FALSE(options.UseImageDir);
    EXPECT_EQ(options.DefaultHTMLExt, "html");
    EXPECT_EQ(options.HTMLExt, (TStringList{"HTML", "HTM", "PHP", "ASP", "CGI", "PL"}));
}

// What the dialog and --set accept (5 to 100) survives a restart; anything else is dropped.
TEST(ProgramOptionsLoad, QualityOutsideWhatTheDialogAcceptsIsIgnored) {
    const std::pair<int, int> cases[] = {{5, 5},   {4, 50},    {6, 6},    {0, 50},
                                         {-3, 50}, {100, 100}, {250, 100}};
    for (const auto& [stored, loaded] : cases) {
        TMemorySettingsStore store;
        store.WriteInteger(Key, "JPEGCompression", stored);
        EXPECT_EQ(LoadProgramOptions(store).JPEGCompression, loaded) << stored;
    }
}

TEST(ProgramOptionsLoad, VanishedFoldersAreDroppedWithTheirSwitch) {
    test::TempDir dir;
    TMemorySettingsStore store;
    store.WriteInteger(Key, "useHTMLDir", 1);
    store.WriteInteger(Key, "useImageDir", 1);
    store.WriteString(Key, "HTMLDir", dir.Path());
    store.WriteString(Key, "ImageDir", dir / "gone");
    ProgramOptions options = LoadProgramOptions(store);
    EXPECT_TRUE(options.UseHTMLDir);
    EXPECT_EQ(options.HTMLDir, dir.Path());
    EXPECT_FALSE(options.UseImageDir);
    EXPECT_EQ(options.ImageDir, "");

    // A switch that is on without any stored folder is turned off too.
    TMemorySettingsStore noFolder;
    noFolder.WriteInteger(Key, "useHTMLDir", 1);
    EXPECT_FALSE(LoadProgramOptions(noFolder).UseHTMLDir);
}

TEST(ProgramOptionsLoad, StoredListGetsHtmlAndHtmBack) {
    TMemorySettingsStore store;
    store.WriteString(Key, "HTMLExt", "PHP,SHTML");
    EXPECT_EQ(LoadProgramOptions(store).HTMLExt, (TStringList{"HTML", "HTM", "PHP", "SHTML"}));
}

TEST(ProgramOptionsSave, SortsAndDropsRepeatsIgnoringCase) {
    TMemorySettingsStore store;
    ProgramOptions options;
    options.HTMLExt = {"HTML", "HTM", "PHP", "ASP", "CGI", "PL", "php", ""};
    SaveProgramOptions(options, store);
    EXPECT_EQ(options.HTMLExt, (TStringList{"ASP", "CGI", "HTM", "HTML", "PHP", "PL"}));
    EXPECT_EQ(store.ReadString(Key, "HTMLExt"), "ASP,CGI,HTM,HTML,PHP,PL");
    EXPECT_EQ(store.ReadInteger(Key, "Wizard"), 1);
    EXPECT_EQ(store.ReadInteger(Key, "JPEGCompression"), 50);
}

TEST(ProgramOptionsSave, EveryFieldSurvivesARoundTrip) {
    test::TempDir dir;
    ProgramOptions changed;
    changed.JPEGCompression = 77;
    changed.Wizard = false;
    changed.UseImageDir = true;
    changed.UseHTMLDir = true;
    changed.HTMLDir = dir.Path();
    changed.ImageDir = dir.Path();
    changed.DefaultHTMLExt = "htm";
    changed.HTMLExt = {"ASP", "HTM", "HTML", "my ext"};
    changed.WorkerThreads = 3;
    changed.OpenAfterRebuild = true;
    ASSERT_NE(changed, ProgramOptions());
    ProgramOptions defaults;
    int fields = 0;
    VisitProgramOptions(defaults, [&](const char*, const auto&) { ++fields; });
    EXPECT_EQ(fields, 10);

    TMemorySettingsStore store;
    ProgramOptions saved = changed;
    SaveProgramOptions(saved, store);
    EXPECT_EQ(LoadProgramOptions(store), changed);
}

TEST(ExtensionList, HtmlFirstAndHtmSecondAfterEveryChange) {
    TStringList list = {"PHP", "ASP"};
    RepairExtensionList(list);
    EXPECT_EQ(list, (TStringList{"HTML", "HTM", "PHP", "ASP"}));
    list = {"HTML", "PHP"};  // the line "HTM" was deleted
    RepairExtensionList(list);
    EXPECT_EQ(list, (TStringList{"HTML", "HTM", "PHP"}));
    list = {};
    RepairExtensionList(list);
    EXPECT_EQ(list, (TStringList{"HTML", "HTM"}));
    list = {"php", "html"};
    RepairExtensionList(list);
    EXPECT_EQ(list, (TStringList{"php", "HTM", "html"}));
}

TEST(HtmlFileTest, HtmlAndHtmAlwaysCountAndListEntriesAreTrimmed) {
    const TStringList defaults = ProgramOptions().HTMLExt;
    EXPECT_TRUE(IsHTMLExtension(defaults, ".ASP"));
    EXPECT_TRUE(IsHTMLExtension(defaults, ".asp"));
    EXPECT_FALSE(IsHTMLExtension(defaults, ".txt"));
    EXPECT_FALSE(IsHTMLExtension(defaults, "ASP"));
    EXPECT_FALSE(IsHTMLExtension(defaults, ""));
    EXPECT_TRUE(IsHTMLExtension({}, ".Htm"));
    EXPECT_TRUE(IsHTMLExtension({" shtml "}, ".SHTML"));
}

TEST(FolderChoice, CancelTurnsTheSwitchOffAndKeepsTheText) {
    bool use = true;
    std::string folder = "/old";
    ApplyFolderChoice(use, folder, std::nullopt);
    EXPECT_FALSE(use);
    EXPECT_EQ(folder, "/old");
    ApplyFolderChoice(use, folder, "/new");
    EXPECT_TRUE(use);
    EXPECT_EQ(folder, "/new");
}

TEST(SetProgramOption, AcceptsWhatTheDialogAcceptsAndNamesTheFault) {
    test::TempDir dir;
    ProgramOptions options;
    SetProgramOption(options, "JPEGCompression", "5");
    SetProgramOption(options, "Wizard", "0");
    SetProgramOption(options, "HTMLExt", "php,asp");
    SetProgramOption(options, "HTMLDir", dir.Path());
    SetProgramOption(options, "WorkerThreads", "0");
    EXPECT_EQ(options.JPEGCompression, 5);
    EXPECT_FALSE(options.Wizard);
    EXPECT_EQ(options.HTMLExt, (TStringList{"HTML", "HTM", "php", "asp"}));
    EXPECT_TRUE(options.UseHTMLDir);

    const std::pair<const char*, const char*> bad[] = {
        {"JPEGCompression", "4"}, {"JPEGCompression", "101"},  {"JPEGCompression", "high"},
        {"Wizard", "maybe"},      {"HTMLDir", "/no/such/dir"}, {"Colour", "red"},
        {"WorkerThreads", "-1"},  {"WorkerThreads", "65"}};
    for (const auto& [name, value] : bad) {
        ProgramOptions before = options;
        EXPECT_THROW(SetProgramOption(options, name, value), EUserInputError) << name << value;
        EXPECT_EQ(options, before);
    }
}

TEST(ProgramOptionLines, ListEveryValueByItsStoreName) {
    EXPECT_EQ(ProgramOptionLines(ProgramOptions()),
              (TStringList{"JPEGCompression=50", "Wizard=1", "useImageDir=0", "useHTMLDir=0",
                           "HTMLDir=", "DefaultHTMLExt=html",
                           "ImageDir=", "HTMLExt=HTML,HTM,PHP,ASP,CGI,PL", "WorkerThreads=0",
                           "OpenAfterRebuild=0"}));
}

}  // namespace
}  // namespace fsc
