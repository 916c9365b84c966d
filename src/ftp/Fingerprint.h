// The SHA-256 fingerprint of a server certificate or host key as the user sees, types and
// stores it: "SHA256:" and 32 colon-separated pairs of upper-case hex digits.
#pragma once

#include <optional>
#include <string>

namespace fsc {

// The stored form of a digest given as 64 hex digits in any case.
std::string FingerprintOfDigest(const std::string& hexDigits);

// The fingerprint in its stored form; accepts the "SHA256:" prefix in any case or none, and
// the hex digits with or without colons, as tools print them. Nothing for any other text.
std::optional<std::string> ParseFingerprint(const std::string& text);

}  // namespace fsc
