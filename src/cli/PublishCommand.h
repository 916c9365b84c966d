// "folioscope-cli publish": a gallery built earlier synced with its copy on an FTP server.
#pragma once

#include <string>
#include <vector>

namespace fsc {

// publish PROJECT.gal | --html-dir DIR [--html-file NAME] ftp://USER@HOST[:PORT]/SUBDIR
// [--active] [--www URL] [--include PATTERN] [--exclude PATTERN] [--quiet]. EUserInputError when
// the gallery has not been built: a sync of a folder without it would delete the copy on the
// server.
int RunPublishCommand(const std::vector<std::string>& args);

}  // namespace fsc
