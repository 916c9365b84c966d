#include <gtest/gtest.h>
#include <unistd.h>

#include "base/AppFolders.h"
#include "support/TempDir.h"

namespace fsc {
namespace {

using test::ScopedEnv;

TEST(AppFolders, HonourTheXdgVariables) {
    ScopedEnv state("XDG_STATE_HOME", "/tmp/state");
    ScopedEnv config("XDG_CONFIG_HOME", "/tmp/config");
    EXPECT_EQ(StateFolder(), "/tmp/state/folioscope");
    EXPECT_EQ(TempFolder(), "/tmp/state/folioscope/temp/" + std::to_string(::getpid()));
    EXPECT_EQ(SettingsFilePath(), "/tmp/config/Orvik_Freeware/Folioscope.conf");
}

TEST(AppFolders, FallBackBelowHomeWhenUnsetOrRelative) {
    ScopedEnv home("HOME", "/home/someone");
    ScopedEnv state("XDG_STATE_HOME", "");
    ScopedEnv config("XDG_CONFIG_HOME", "relative/is/invalid");
    EXPECT_EQ(StateFolder(), "/home/someone/.local/state/folioscope");
    EXPECT_EQ(ConfigHome(), "/home/someone/.config");
}

TEST(AppFolders, DataAndPluginFoldersCanBeForced) {
    ScopedEnv data("FOLIOSCOPE_DATA_DIR", "/opt/fsc-data");
    ScopedEnv plugins("FOLIOSCOPE_PLUGIN_DIR", "/opt/fsc-plugins");
    EXPECT_EQ(DataFolder(), "/opt/fsc-data");
    EXPECT_EQ(PluginFolder(), "/opt/fsc-plugins");
}

}  // namespace
}  // namespace fsc
