// Job lines of the FTP job queue: ';'-separated fields, the first one the job's name.
#pragma once

#include <string>
#include <string_view>

namespace fsc {

// Field k counts from 0; a field beyond the last ';' is empty, the last runs to the end.
std::string JobField(std::string_view line, int k);

// "TRUE" or "FALSE", the way job lines write a directory flag.
inline const char* JobFlag(bool value) { return value ? "TRUE" : "FALSE"; }

}  // namespace fsc
