// What a user is told of a failure, the same in every window and in the FTP window's queue.
#pragma once

#include <exception>
#include <string>

namespace fsc {

inline constexpr const char* UnknownErrorText = "An unknown error occured.";

// The program's own errors in their own words; anything else (a failed conversion, a
// library's or the standard library's exception) as UnknownErrorText, since those say
// nothing useful to a user in their own.
std::string ErrorMessage(std::exception_ptr error);

}  // namespace fsc
