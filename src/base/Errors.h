// The program's own exceptions: every failure a user may see carries its message here.
#pragma once

#include <stdexcept>
#include <string>

namespace fsc {

// Common base, so that the GUI's handler and the CLI's main catch both kinds at once.
class EFscError : public std::runtime_error {
public:
    explicit EFscError(const std::string& message) : std::runtime_error(message) {}
};

// A fault in what the user typed, chose or asked for.
class EUserInputError : public EFscError {
public:
    using EFscError::EFscError;
};

// A fault of the gallery engine or of a file it reads or writes.
class EFSC_Exception : public EFscError {
public:
    using EFscError::EFscError;
};

// The user stopped a running operation with its Abort: told, but nothing went wrong.
class EOperationAborted : public EFSC_Exception {
public:
    using EFSC_Exception::EFSC_Exception;
};

// A picture of the gallery that cannot be read: a build may go on without it when asked to.
class EUnreadablePicture : public EFSC_Exception {
public:
    using EFSC_Exception::EFSC_Exception;
};

}  // namespace fsc
