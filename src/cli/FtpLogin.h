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
// The SFTP password from FOLIOSCOPE_SFTP_PASSWORD, else asked without echo on a terminal;
// empty when there is neither (the login then fails naming what it tried).
std::string SftpPassword();
// A private key's passphrase, asked without echo on a terminal; empty without one.
std::string KeyPassphrase(const std::string& prompt);

}  // namespace fsc
