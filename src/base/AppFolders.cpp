// Where the program finds its data and keeps its per-user files.
#include "base/AppFolders.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "base/Paths.h"
#include "base/Text.h"

namespace fsc {

namespace {

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value == nullptr ? std::string() : std::string(value);
}

// XDG says a relative value is invalid and must be ignored.
std::string XdgFolder(const char* variable, const char* fallbackBelowHome) {
    const std::string value = Environment(variable);
    if (IsAbsolutePath(value)) return value;
    return JoinPath(HomeFolder(), fallbackBelowHome);
}

std::string ProgramFile() {
    std::error_code error;
    const std::string self = std::filesystem::read_symlink("/proc/self/exe", error).string();
    return error ? std::string() : self;
}

bool RunningFromBuildTree() {
    return StartsWith(ProgramFile(), IncludeTrailingSeparator(FSC_BUILD_DIR));
}

// An installed program finds its files from where it lies, so a tree installed under any
// prefix, or moved after installing, still works. The configured prefix is the fallback
// when the program file cannot be found.
std::string InstalledFolder(const char* relativeToProgram, const char* configured) {
    const std::string self = ProgramFile();
    if (self.empty()) return configured;
    return std::filesystem::path(JoinPath(ExtractFileDir(self), relativeToProgram))
        .lexically_normal()
        .string();
}

}  // namespace

std::string HomeFolder() {
    std::string home = Environment("HOME");
    if (!home.empty()) return home;
    const passwd* user = ::getpwuid(::getuid());
    return user != nullptr && user->pw_dir != nullptr ? std::string(user->pw_dir) : "/";
}

std::string DataFolder() {
    const std::string forced = Environment("FOLIOSCOPE_DATA_DIR");
    if (!forced.empty()) return forced;
    if (RunningFromBuildTree()) return FSC_SOURCE_DATA_DIR;
    return ExcludeTrailingSeparator(InstalledFolder(FSC_DATA_FROM_PROGRAM, FSC_INSTALL_DATA_DIR));
}

std::string PluginFolder() {
    const std::string forced = Environment("FOLIOSCOPE_PLUGIN_DIR");
    if (!forced.empty()) return forced;
    if (RunningFromBuildTree()) return JoinPath(FSC_BUILD_DIR, "plugins");
    return ExcludeTrailingSeparator(
        InstalledFolder(FSC_PLUGINS_FROM_PROGRAM, FSC_INSTALL_PLUGIN_DIR));
}

std::string StateFolder() {
    return JoinPath(XdgFolder("XDG_STATE_HOME", ".local/state"), "folioscope");
}

std::string ImageCacheFolder() { return JoinPath(StateFolder(), "cache"); }

// One folder a process: the exit clean-up of one program must not delete the backups of
// another that is still running.
std::string TempFolder() {
    return JoinPath(JoinPath(StateFolder(), "temp"), std::to_string(::getpid()));
}

std::string HistoryFolder() { return JoinPath(StateFolder(), "history"); }

std::string ConfigHome() { return XdgFolder("XDG_CONFIG_HOME", ".config"); }

std::string SettingsFilePath() { return JoinPath(ConfigHome(), "Orvik_Freeware/Folioscope.conf"); }

}  // namespace fsc
