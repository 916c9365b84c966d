// SHA-256 digests through OpenSSL's libcrypto, which the program loads anyway for TLS and SSH.
#include "base/Sha256.h"

#include <fcntl.h>
#include <openssl/evp.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <memory>

#include "base/Errors.h"
#include "base/ScopeExit.h"

namespace fsc {

namespace {

struct TDigestFree {
    void operator()(EVP_MD_CTX* context) const { EVP_MD_CTX_free(context); }
};

class TSha256 {
public:
    TSha256() : context(EVP_MD_CTX_new()) {
        if (!context || EVP_DigestInit_ex(context.get(), EVP_sha256(), nullptr) != 1)
            throw EFSC_Exception("Cannot compute a SHA-256 digest.");
    }
    void Add(const void* bytes, std::size_t count) {
        EVP_DigestUpdate(context.get(), bytes, count);
    }
    std::string Hex() {
        std::array<unsigned char, EVP_MAX_MD_SIZE> digest{};
        unsigned int length = 0;
        EVP_DigestFinal_ex(context.get(), digest.data(), &length);
        static constexpr char Digits[] = "0123456789abcdef";
        std::string hex;
        for (unsigned int i = 0; i < length; ++i) {
            hex += Digits[digest[i] >> 4];
            hex += Digits[digest[i] & 15];
        }
        return hex;
    }

private:
    std::unique_ptr<EVP_MD_CTX, TDigestFree> context;
};

}  // namespace

std::string Sha256Hex(std::string_view bytes) {
    TSha256 sha;
    sha.Add(bytes.data(), bytes.size());
    return sha.Hex();
}

TFileDigest Sha256OfFile(const std::string& path) {
    const int file = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (file < 0) throw EFSC_Exception("Cannot read the file " + path + ".");
    const TScopeExit close([file] { ::close(file); });
    TSha256 sha;
    TFileDigest digest;
    std::array<char, 1 << 16> buffer;
    for (;;) {
        const ssize_t count = ::read(file, buffer.data(), buffer.size());
        if (count == 0) break;
        if (count < 0) {
            if (errno == EINTR) continue;
            throw EFSC_Exception("Cannot read the file " + path + ".");
        }
        sha.Add(buffer.data(), std::size_t(count));
        digest.Size += std::uint64_t(count);
    }
    digest.Sha256 = sha.Hex();
    return digest;
}

}  // namespace fsc
