// What the targets over file readers share: a scratch folder for the process, the fuzz input
// as a file in it, and the end of a run that allows only the program's own refusals.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

#include "base/Errors.h"
#include "base/Files.h"

namespace fsc::fuzz {

// Made at the first use and removed with everything in it when the process ends.
inline const std::string& ScratchFolder() {
    static const struct Folder {
        std::string Path;
        Folder() {
            std::string pattern =
                (std::filesystem::temp_directory_path() / "fsc-fuzz-XXXXXX").string();
            if (!::mkdtemp(pattern.data())) std::abort();
            Path = pattern;
        }
        ~Folder() {
            std::error_code ignored;
            std::filesystem::remove_all(Path, ignored);
        }
    } folder;
    return folder.Path;
}

inline std::string InScratch(const std::string& name) { return ScratchFolder() + "/" + name; }

inline std::string_view AsText(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// Writes `bytes` to `name` in the scratch folder and returns its path.
inline std::string ScratchFile(const std::string& name, std::string_view bytes) {
    const std::string path = InScratch(name);
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    WriteFileBytes(path, bytes);
    return path;
}

// Runs `read`; the program's own error is the wanted answer to bad input, anything else
// escapes and libFuzzer reports it as a crash.
template <typename Read>
void Refusing(Read read) {
    try {
        read();
    } catch (const EFscError&) {
    }
}

// A property every input must keep; failing it is a crash libFuzzer keeps the input of.
inline void Require(bool holds) {
    if (!holds) std::abort();
}

}  // namespace fsc::fuzz
