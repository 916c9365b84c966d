// The SHA-256 fingerprint of a server certificate as the user sees, types and stores it:
// "SHA256:" and 32 colon-separated pairs of upper-case hex digits.
#pragma once

#include <optional>
#include <string>

class QSslCertificate;

namespace fsc {

std::string CertificateFingerprint(const QSslCertificate& certificate);

// The fingerprint in its stored form; accepts the "SHA256:" prefix in any case or none, and
// the hex digits with or without colons, as tools print them. Nothing for any other text.
std::optional<std::string> ParseFingerprint(const std::string& text);

}  // namespace fsc
