// The SHA-256 of a gallery's files remembered from one publish to the next, each with what
// the file system says of the file (device, inode, size, change times): a publish with
// nothing changed reads no picture again, as mirroring tools that compare sizes and times
// do not need to, but without trusting a time alone.
#pragma once

#include <functional>
#include <map>
#include <string>

#include "ftp/SyncManifest.h"

namespace fsc {

class TFileHashCache {
public:
    // The cache of the gallery folder `folder`, kept below `cacheFolder`; none is read when
    // the file is missing or not one this program wrote.
    TFileHashCache(const std::string& cacheFolder, const std::string& folder);

    // The entry of the file at `fullPath`: remembered while the file is unchanged, else
    // `hash` is asked and the answer remembered.
    TManifestEntry Entry(const std::string& fullPath, const std::function<TManifestEntry()>& hash);

    // Writes the entries asked for since the cache was read, and only those, so that the
    // cache never outgrows the gallery. A cache that cannot be written is simply not kept.
    void Save() const;

private:
    struct TRemembered {
        std::string Stat;
        TManifestEntry Entry;
    };
    std::string file;
    std::map<std::string, TRemembered> known, used;
};

}  // namespace fsc
