// The usage text of folioscope-cli and the exception that asks for it.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

namespace fsc {

// Thrown for arguments the command line does not understand; main prints the usage, exit 2.
class EUsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Every command with its options.
std::string CliUsageText();
// The usage of one command ("options", "build", "tree", "templates"); empty for another name.
std::string CommandUsageText(const std::string& command);

// Whether the arguments ask for the usage (-h or --help anywhere).
bool AsksForHelp(const std::vector<std::string>& args);

}  // namespace fsc
