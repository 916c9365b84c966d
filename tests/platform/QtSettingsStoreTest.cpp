#include <gtest/gtest.h>

#include "base/AppFolders.h"
#include "base/Errors.h"
#include "base/Files.h"
#include "options/ProgramOptions.h"
#include "platform/QtSettingsStore.h"
#include "support/OptionsPrinter.h"
#include "support/TempDir.h"

namespace fsc {
namespace {

using test::ScopedEnv;
using test::TempDir;

TEST(QtSettingsStore, OptionsRoundTripThroughTheUsersConfigFile) {
    TempDir config;
    ScopedEnv xdg("XDG_CONFIG_HOME", config.Path());
    ProgramOptions options;
    options.JPEGCompression = 85;
    options.Wizard = false;
    options.UseHTMLDir = true;
    options.HTMLDir = config.Path();
    options.DefaultHTMLExt = "htm";
    options.HTMLExt = {"ASP", "HTM", "HTML", "with blank", "caf\xc3\xa9"};
    {
        QtSettingsStore store;
        SaveProgramOptions(options, store);
    }
    ASSERT_TRUE(FileExists(config / "Orvik_Freeware/Folioscope.conf"));
    QtSettingsStore reopened;
    EXPECT_EQ(LoadProgramOptions(reopened), options);
    EXPECT_EQ(reopened.ReadInteger(ProgramOptionsKey, "Wizard"), 0);
    EXPECT_EQ(reopened.ReadInteger(ProgramOptionsKey, "Missing"), std::nullopt);
    EXPECT_EQ(reopened.ReadInteger(ProgramOptionsKey, "DefaultHTMLExt"), std::nullopt);
}

TEST(QtSettingsStore, UnwritableStoreIsAClearError) {
    TempDir config;
    // A file where the store's folder should be: nothing can be created below it.
    WriteFileBytes(config / "Orvik_Freeware", "in the way");
    QtSettingsStore store(config / "Orvik_Freeware/Folioscope.conf");
    ProgramOptions options;
    try {
        SaveProgramOptions(options, store);
        FAIL() << "no exception";
    } catch (const EFSC_Exception& error) {
        EXPECT_NE(std::string(error.what()).find("Folioscope.conf"), std::string::npos);
    }
    EXPECT_EQ(ReadFileBytes(config / "Orvik_Freeware"), "in the way");
}

}  // namespace
}  // namespace fsc
