// A short fingerprint of a file name that stays the same from run to run and from machine
// to machine, for names that have to be made shorter but still tell their files apart.
#pragma once

#include <string>

namespace fsc {

// 16 lower-case hex digits of the 64-bit FNV-1a hash of `text`'s bytes.
std::string NameHash(const std::string& text);

}  // namespace fsc
