// "folioscope-cli templates" run as a user would: a library made by the test and the one the
// program ships.
#include <gtest/gtest.h>

#include "base/Files.h"
#include "base/TStringList.h"
#include "support/RunProgram.h"
#include "support/TempDir.h"

namespace fsc {
namespace {

using test::RunProgram;
using test::TempDir;

test::ProgramResult Templates(const std::string& dataDir, std::vector<std::string> extra = {}) {
    std::vector<std::string> args{"templates"};
    args.insert(args.end(), extra.begin(), extra.end());
    return RunProgram(FSC_CLI_PATH, args, {"FOLIOSCOPE_DATA_DIR=" + dataDir});
}

TEST(CliTemplates, ListsHtmlNamesFirstEachOnceWithItsDescription) {
    TempDir data;
    const std::string library = data / "Templates";
    ForceDirectories(library);
    WriteFileBytes(library + "/b.tpl", "INDEXFILE=b.tpl.dir\\index.html\r\nDESCRIPTION=Bee\r\n");
    WriteFileBytes(library + "/a.html", "<html></html>\r\n");
    // The last description line wins, as in the template dialog.
    WriteFileBytes(library + "/a.tpl", "DESCRIPTION=old\r\nDESCRIPTION=Ay, the first\r\n");
    WriteFileBytes(library + "/c.tpl", "STYLE=list\r\n");
    WriteFileBytes(library + "/d.html", "<html></html>\r\n");
    WriteFileBytes(library + "/notes.txt", "DESCRIPTION=not a template\r\n");

    const auto result = Templates(data.Path());
    EXPECT_EQ(result.ExitCode, 0) << result.Err;
    EXPECT_EQ(result.Out, "a\tAy, the first\nd\nb\tBee\nc\n");
    EXPECT_EQ(result.Err, "");
}

TEST(CliTemplates, ListsTheShippedLibrary) {
    const auto result = Templates(FSC_DATA_DIR);
    ASSERT_EQ(result.ExitCode, 0) << result.Err;
    const TStringList lines = SplitLines(result.Out);
    ASSERT_EQ(lines.size(), 4u) << result.Out;
    const char* names[] = {"Classic", "Frames", "Modern", "Slideshow"};
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string prefix = std::string(names[i]) + "\t";
        EXPECT_EQ(lines[i].rfind(prefix, 0), 0u) << lines[i];
        EXPECT_GT(lines[i].size(), prefix.size() + 20) << "a description: " << lines[i];
    }
}

TEST(CliTemplates, AnEmptyOrMissingLibraryListsNothingAndSaysSo) {
    TempDir data;
    for (const bool exists : {false, true}) {
        if (exists) ForceDirectories(data / "Templates");
        const auto result = Templates(data.Path());
        EXPECT_EQ(result.ExitCode, 0) << exists;
        EXPECT_EQ(result.Out, "") << exists;
        EXPECT_NE(result.Err.find("holds no templates"), std::string::npos) << result.Err;
        const auto quiet = Templates(data.Path(), {"--quiet"});
        EXPECT_EQ(quiet.ExitCode, 0);
        EXPECT_EQ(quiet.Out + quiet.Err, "") << exists;
    }
}

TEST(CliTemplates, ArgumentsAreAUsageError) {
    const auto result = Templates(FSC_DATA_DIR, {"Classic"});
    EXPECT_EQ(result.ExitCode, 2);
    EXPECT_EQ(result.Out, "");
    EXPECT_NE(result.Err.find("folioscope-cli templates"), std::string::npos) << result.Err;
}

}  // namespace
}  // namespace fsc
