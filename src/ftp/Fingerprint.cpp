// Fingerprints parsed and written in one form.
#include "ftp/Fingerprint.h"

#include <cctype>

namespace fsc {

namespace {

constexpr const char* Prefix = "SHA256:";
constexpr std::size_t DigestSize = 32;

}  // namespace

std::string FingerprintOfDigest(const std::string& hexDigits) {
    std::string text = Prefix;
    for (std::size_t i = 0; i < hexDigits.size(); i += 2) {
        if (i > 0) text += ':';
        text += hexDigits.substr(i, 2);
    }
    for (char& c : text) c = char(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

std::optional<std::string> ParseFingerprint(const std::string& text) {
    std::string rest = text;
    const std::string prefix = Prefix;
    if (rest.size() >= prefix.size()) {
        std::string head = rest.substr(0, prefix.size());
        for (char& c : head) c = char(std::toupper(static_cast<unsigned char>(c)));
        if (head == prefix) rest.erase(0, prefix.size());
    }
    std::string digits;
    for (char c : rest) {
        if (c == ':') continue;
        if (!std::isxdigit(static_cast<unsigned char>(c))) return std::nullopt;
        digits += char(std::toupper(static_cast<unsigned char>(c)));
    }
    if (digits.size() != DigestSize * 2) return std::nullopt;
    return FingerprintOfDigest(digits);
}

}  // namespace fsc
