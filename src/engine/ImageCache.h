// What earlier builds, in this process or another, wrote into an image folder: for each copy
// and thumbnail the source it was made from, the settings that shaped it and the file as it
// was written, so that a later build can skip it while all three are unchanged. Files are
// known by their canonical paths, so a build that names the same pictures or folder another
// way (relative, through a linked folder) still finds them.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "base/Files.h"
#include "imaging/ImageFitting.h"

namespace fsc {

struct TCachedImage {
    std::string Source;
    TFileStamp SourceStamp;
    std::string Settings;
    TFileStamp Output;
    // Thumbnails: the source's size and the thumbnail's size by the sizing mode, which the
    // pages need even when nothing is remade.
    TSize ImageSize;
    TSize ThumbSize;
};

class TImageCache {
public:
    // A cache that is never used: nothing is current, nothing is saved.
    TImageCache() = default;

    // The cache of the image folder `imageDir`, kept in `cacheFolder`. A missing, damaged or
    // foreign file gives an empty cache, so every picture is made again; never an error.
    static TImageCache Open(const std::string& cacheFolder, const std::string& imageDir);

    bool Enabled() const { return !file.empty(); }

    // The entry of `output` when it still tells the truth: made from `source` as that file is
    // now, with `settings`, and the output not touched since it was written.
    const TCachedImage* Current(const std::string& output, const std::string& source,
                                const TFileStamp& sourceStamp, const std::string& settings) const;

    // Records `output` as just written from `entry`'s source and settings.
    void Record(const std::string& output, TCachedImage entry);
    void Forget(const std::string& output);

    // The canonical paths of the files earlier builds wrote that are still as written: what
    // the folder holds of a gallery's own, not pictures of the user's.
    std::vector<std::string> WrittenFiles() const;

    // Writes the cache under a temporary name renamed into place. A cache that cannot be
    // written only costs time on the next build, so a failure is passed over.
    void Save() const;

private:
    std::string file;
    std::string imageDir;
    std::map<std::string, TCachedImage> entries;
};

}  // namespace fsc
