// Pictures that loaded completely when they were added before, by path, size and time, so
// that adding the same unchanged files again (every command-line build does) need not read
// them again. A picture is known by its canonical path, however it was named when added.
#pragma once

#include <map>
#include <string>

#include "base/Files.h"

namespace fsc {

class TVerifiedPictures {
public:
    // Remembers nothing and saves nothing.
    TVerifiedPictures() = default;
    // The list kept in `cacheFolder`; a missing or damaged file is an empty list.
    static TVerifiedPictures Open(const std::string& cacheFolder);

    bool Known(const std::string& path, const TFileStamp& stamp) const;
    void Add(const std::string& path, const TFileStamp& stamp);
    // Writes the list when it grew; a failure only costs time later and is passed over.
    void Save() const;

private:
    std::string file;
    std::map<std::string, TFileStamp> pictures;
    bool changed = false;
};

}  // namespace fsc
