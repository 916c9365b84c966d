// The password and the TLS advice of a command-line FTP login.
#include "cli/FtpLogin.h"

#include <termios.h>
#include <unistd.h>

#include <cstdlib>
#include <iostream>
#include <map>
#include <mutex>

#include "base/Errors.h"
#include "ftp/IFtpSession.h"

namespace fsc {

namespace {

std::string ReadHiddenLine() {
    termios saved{};
    const bool hidden = tcgetattr(STDIN_FILENO, &saved) == 0;
    if (hidden) {
        termios quiet = saved;
        quiet.c_lflag &= ~tcflag_t(ECHO);
        tcsetattr(STDIN_FILENO, TCSANOW, &quiet);
    }
    std::string line;
    std::getline(std::cin, line);
    if (hidden) tcsetattr(STDIN_FILENO, TCSANOW, &saved);
    std::cerr << '\n';
    return line;
}

// A publish over several connections logs in several times, from their own threads: the
// user is asked once for each prompt, and only one prompt is on the terminal at a time.
std::string AskedOnce(const std::string& prompt) {
    static std::mutex asking;
    static std::map<std::string, std::string> answers;
    const std::lock_guard lock(asking);
    const auto known = answers.find(prompt);
    if (known != answers.end()) return known->second;
    std::cerr << prompt << std::flush;
    return answers[prompt] = ReadHiddenLine();
}

}  // namespace

std::string TlsAdvice(int error, const std::string& fingerprint) {
    switch (error) {
        case FtpErrorTlsRefused:
            return " To upload without encryption, with the password in clear text, add "
                   "--no-tls.";
        case FtpErrorUntrustedCertificate:
            return " If it is, add --trust-certificate " + fingerprint + ".";
        case FtpErrorHostnameMismatch:
            return " If it is your server under another name (a shared host's own, say), add "
                   "--accept-hostname-mismatch.";
        case FtpErrorCertificateChanged:
            return " If the server really has a new certificate, trust it with "
                   "--trust-certificate " +
                   fingerprint + ".";
        default:
            return "";
    }
}

std::string FtpPassword() {
    if (const char* password = std::getenv("FOLIOSCOPE_FTP_PASSWORD")) return password;
    if (!isatty(STDIN_FILENO) || !isatty(STDERR_FILENO)) {
        throw EUserInputError(
            "No FTP password: set FOLIOSCOPE_FTP_PASSWORD, or run on a terminal.");
    }
    std::cerr << "FTP password: " << std::flush;
    return ReadHiddenLine();
}

std::string SftpPassword() {
    if (const char* password = std::getenv("FOLIOSCOPE_SFTP_PASSWORD")) return password;
    if (!isatty(STDIN_FILENO) || !isatty(STDERR_FILENO)) return {};
    return AskedOnce("SFTP password: ");
}

std::string KeyPassphrase(const std::string& prompt) {
    if (!isatty(STDIN_FILENO) || !isatty(STDERR_FILENO)) return {};
    return AskedOnce(prompt);
}

}  // namespace fsc
