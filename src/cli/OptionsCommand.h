// "folioscope-cli options": show and change the program options.
#pragma once

#include <string>
#include <vector>

namespace fsc {

class ISettingsStore;

// Prints the options after applying every "--set Name=value"; saves only when all were valid.
int RunOptionsCommand(const std::vector<std::string>& args, ISettingsStore& store);

}  // namespace fsc
