// SHA-256 digests, in lower-case hex, through OpenSSL's libcrypto.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace fsc {

std::string Sha256Hex(std::string_view bytes);

struct TFileDigest {
    std::uint64_t Size = 0;
    std::string Sha256;
};

// Reads the file in pieces, so a large picture is never held whole. Throws EFSC_Exception
// "Cannot read the file PATH." when it cannot be opened or read.
TFileDigest Sha256OfFile(const std::string& path);

}  // namespace fsc
