// What a command-line FTP login needs from the user: the password, and advice when an
// encrypted login fails.
#pragma once

#include <string>

namespace fsc {

// What the user can do about a failed encrypted login, in this program's options.
std::string TlsAdvice(int error, const std::string& fingerprint);
// The password from FOLIOSCOPE_FTP_PASSWORD, else asked without echo on a terminal;
// EUserInputError when there is neither.
std::string FtpPassword();

}  // namespace fsc
