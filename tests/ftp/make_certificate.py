#!/usr/bin/python3
# Writes a fresh certificate for 127.0.0.1 with its key into one PEM file, for the TLS FTP
# server of the tests, and prints its SHA-256 fingerprint. The certificate is self-signed,
# or, with CAFILE, signed by a new authority whose certificate is written to CAFILE.
# With --expired, the certificate's time ended yesterday.
# Usage: make_certificate.py [--expired] PEMFILE [CAFILE]
import os
import sys

expired = "--expired" in sys.argv
arguments = [a for a in sys.argv[1:] if not a.startswith("--")]

from OpenSSL import crypto


def new_key():
    key = crypto.PKey()
    key.generate_key(crypto.TYPE_RSA, 2048)
    return key


def new_certificate(common_name, key, extensions):
    cert = crypto.X509()
    cert.set_version(2)
    cert.get_subject().CN = common_name
    cert.set_serial_number(int.from_bytes(os.urandom(8), "big"))
    cert.gmtime_adj_notBefore(-2 * 86400 if expired else -3600)
    cert.gmtime_adj_notAfter(-86400 if expired else 86400)
    cert.set_pubkey(key)
    cert.add_extensions(extensions)
    return cert


key = new_key()
cert = new_certificate(
    "127.0.0.1", key, [crypto.X509Extension(b"subjectAltName", False, b"IP:127.0.0.1")]
)
if len(arguments) > 1:
    ca_key = new_key()
    ca = new_certificate(
        "Test Authority",
        ca_key,
        [
            crypto.X509Extension(b"basicConstraints", True, b"CA:TRUE"),
            crypto.X509Extension(b"keyUsage", True, b"keyCertSign, cRLSign"),
        ],
    )
    ca.set_issuer(ca.get_subject())
    ca.sign(ca_key, "sha256")
    with open(arguments[1], "wb") as pem:
        pem.write(crypto.dump_certificate(crypto.FILETYPE_PEM, ca))
    cert.set_issuer(ca.get_subject())
    cert.sign(ca_key, "sha256")
else:
    cert.set_issuer(cert.get_subject())
    cert.sign(key, "sha256")
with open(arguments[0], "wb") as pem:
    pem.write(crypto.dump_privatekey(crypto.FILETYPE_PEM, key))
    pem.write(crypto.dump_certificate(crypto.FILETYPE_PEM, cert))
print("SHA256:" + cert.digest("sha256").decode(), flush=True)
