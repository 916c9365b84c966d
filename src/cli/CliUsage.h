// The usage text of folioscope-cli and the exception that asks for it.
#pragma once

#include <stdexcept>
#include <string>

namespace fsc {

// Thrown for arguments the command line does not understand; main prints the usage, exit 2.
class EUsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

std::string CliUsageText();

}  // namespace fsc
