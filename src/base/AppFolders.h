// Where the program finds its read-only data and keeps its per-user files.
// Every folder honours the XDG variables, so tests point them at temporary folders.
#pragma once

#include <string>

namespace fsc {

// Templates, help documents, start-up scheme files: FOLIOSCOPE_DATA_DIR when set, else
// data/ of the source tree when running from the build tree, else share/folioscope of the
// tree the program is installed in (found from the program file's folder).
std::string DataFolder();
// Image plug-in modules: FOLIOSCOPE_PLUGIN_DIR when set, else the build tree's plug-ins
// when running from it, else lib/folioscope/plugins of the tree the program is installed in.
std::string PluginFolder();

// Writable per-user files: $XDG_STATE_HOME/folioscope, by default ~/.local/state/folioscope.
std::string StateFolder();
// Backups of a build kept in memory only (the directory-tree tool's), deleted at program
// exit; a folder of this process's own.
std::string TempFolder();
// The undo history of each gallery with its backups, kept until undone or replaced.
std::string HistoryFolder();
// What earlier builds wrote into each image folder, so a later run can skip it.
std::string ImageCacheFolder();

// $XDG_CONFIG_HOME, by default ~/.config.
std::string ConfigHome();
// The program options file.
std::string SettingsFilePath();

std::string HomeFolder();

}  // namespace fsc
