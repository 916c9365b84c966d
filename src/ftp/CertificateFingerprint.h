// The fingerprint of a server certificate, in the form of ftp/Fingerprint.h.
#pragma once

#include <string>

#include "ftp/Fingerprint.h"

class QSslCertificate;

namespace fsc {

std::string CertificateFingerprint(const QSslCertificate& certificate);

}  // namespace fsc
