// Fingerprints of server certificates, through Qt's certificates.
#include "ftp/CertificateFingerprint.h"

#include <QCryptographicHash>
#include <QSslCertificate>

namespace fsc {

std::string CertificateFingerprint(const QSslCertificate& certificate) {
    return FingerprintOfDigest(
        certificate.digest(QCryptographicHash::Sha256).toHex().toStdString());
}

}  // namespace fsc
