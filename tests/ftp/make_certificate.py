#!/usr/bin/python3
# Writes a fresh self-signed certificate for 127.0.0.1 with its key into one PEM file, for
# the TLS FTP server of the tests, and prints its SHA-256 fingerprint.
# Usage: make_certificate.py PEMFILE
import os
import sys

from OpenSSL import crypto

key = crypto.PKey()
key.generate_key(crypto.TYPE_RSA, 2048)
cert = crypto.X509()
cert.get_subject().CN = "127.0.0.1"
cert.set_serial_number(int.from_bytes(os.urandom(8), "big"))
cert.gmtime_adj_notBefore(-3600)
cert.gmtime_adj_notAfter(86400)
cert.set_issuer(cert.get_subject())
cert.set_pubkey(key)
cert.add_extensions([crypto.X509Extension(b"subjectAltName", False, b"IP:127.0.0.1")])
cert.sign(key, "sha256")
with open(sys.argv[1], "wb") as pem:
    pem.write(crypto.dump_privatekey(crypto.FILETYPE_PEM, key))
    pem.write(crypto.dump_certificate(crypto.FILETYPE_PEM, cert))
print("SHA256:" + cert.digest("sha256").decode(), flush=True)
