#include <gtest/gtest.h>

#include "base/Files.h"
#include "support/RunProgram.h"
#include "support/TempDir.h"

namespace fsc {
namespace {

using test::RunProgram;
using test::TempDir;

class Cli : public ::testing::Test {
protected:
    test::ProgramResult Run(const std::vector<std::string>& args) {
        return RunProgram(FSC_CLI_PATH, args, {"XDG_CONFIG_HOME=" + config.Path()});
    }
    std::string ConfigFile() { return config / "Orvik_Freeware/Folioscope.conf"; }
    TempDir config;
};

TEST_F(Cli, VersionAndUsage) {
    const auto version = Run({"--version"});
    EXPECT_EQ(version.ExitCode, 0);
    EXPECT_EQ(version.Out, "Folioscope 2.13\n");

    for (const std::vector<std::string>& args : {std::vector<std::string>{},
                                                 {"--bogus"},
                                                 {"options", "--set"},
                                                 {"options", "--set", "=1"}}) {
        const auto result = Run(args);
        EXPECT_EQ(result.ExitCode, 2);
        EXPECT_NE(result.Err.find("Usage:"), std::string::npos) << result.Err;
        EXPECT_EQ(result.Out, "");
    }
}

TEST_F(Cli, EveryCommandPrintsItsUsageOnHelpBesideAnyMistake) {
    const auto all = Run({"--help"});
    EXPECT_EQ(all.ExitCode, 0);
    EXPECT_EQ(all.Err, "");
    for (const char* command : {"options", "build", "publish", "tree", "templates"}) {
        EXPECT_NE(all.Out.find(std::string("folioscope-cli ") + command), std::string::npos);
        // Help wins over arguments the command would refuse, and writes nothing.
        for (const char* help : {"-h", "--help"}) {
            const auto result = Run({command, "--no-such-option", help});
            EXPECT_EQ(result.ExitCode, 0) << command << ' ' << help << ": " << result.Err;
            EXPECT_EQ(result.Err, "");
            EXPECT_EQ(result.Out.rfind(std::string("Usage:\n  folioscope-cli ") + command, 0), 0u)
                << result.Out;
            EXPECT_NE(result.Out.find("--quiet"), std::string::npos) << command;
        }
    }
    EXPECT_FALSE(FileExists(ConfigFile()));
}

TEST_F(Cli, QuietOptionsChangeSavesWithoutPrinting) {
    const auto quiet = Run({"options", "--quiet", "--set", "JPEGCompression=75"});
    EXPECT_EQ(quiet.ExitCode, 0) << quiet.Err;
    EXPECT_EQ(quiet.Out, "");
    const auto shown = Run({"options", "--quiet"});
    EXPECT_NE(shown.Out.find("JPEGCompression=75\n"), std::string::npos) << shown.Out;
}

TEST_F(Cli, OptionsPrintsDefaultsWithoutWritingAnything) {
    const auto result = Run({"options"});
    EXPECT_EQ(result.ExitCode, 0);
    EXPECT_EQ(result.Out,
              "JPEGCompression=50\nWizard=1\nuseImageDir=0\nuseHTMLDir=0\nHTMLDir=\n"
              "DefaultHTMLExt=html\nImageDir=\nHTMLExt=HTML,HTM,PHP,ASP,CGI,PL\nWorkerThreads=0\n"
              "OpenAfterRebuild=0\n");
    EXPECT_FALSE(FileExists(ConfigFile()));
}

TEST_F(Cli, OptionsSetSavesThroughTheDialogRules) {
    const auto set = Run({"options", "--set", "JPEGCompression=80", "--set",
                          "HTMLExt=php,PHP,shtml", "--set", "HTMLDir=" + config.Path()});
    ASSERT_EQ(set.ExitCode, 0) << set.Err;
    EXPECT_NE(set.Out.find("HTMLExt=HTM,HTML,php,shtml\n"), std::string::npos) << set.Out;

    const auto shown = Run({"options"});
    EXPECT_NE(shown.Out.find("JPEGCompression=80\n"), std::string::npos);
    EXPECT_NE(shown.Out.find("useHTMLDir=1\nHTMLDir=" + config.Path() + "\n"), std::string::npos);
    EXPECT_NE(shown.Out.find("HTMLExt=HTM,HTML,php,shtml\n"), std::string::npos);
}

TEST_F(Cli, BadOptionChangesNothing) {
    ASSERT_EQ(Run({"options", "--set", "JPEGCompression=70"}).ExitCode, 0);
    const std::string before = ReadFileBytes(ConfigFile());
    for (const char* bad : {"JPEGCompression=101", "NoSuchOption=1", "Wizard=perhaps"}) {
        const auto result = Run({"options", "--set", "Wizard=0", "--set", bad});
        EXPECT_EQ(result.ExitCode, 1) << bad;
        EXPECT_FALSE(result.Err.empty());
        EXPECT_EQ(ReadFileBytes(ConfigFile()), before) << bad;
    }
}

}  // namespace
}  // namespace fsc
