// libFuzzer target of the image cache file. The input follows the header of the cache's own
// folder, which a cache written elsewhere would not match. Whatever is read is saved and read
// again, and must come back the same.
#include "FuzzFiles.h"
#include "base/TabFields.h"
#include "engine/ImageCache.h"

namespace {

constexpr const char* ImageDir = "/fuzz/images";

// The name of the cache file, learnt from the cache itself by saving an empty one.
std::string CacheFile() {
    static const std::string file = [] {
        fsc::TImageCache::Open(fsc::fuzz::InScratch("cache"), ImageDir).Save();
        for (const auto& entry : std::filesystem::directory_iterator(fsc::fuzz::InScratch("cache")))
            return entry.path().string();
        std::abort();
    }();
    return file;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace fsc;
    const std::string file = CacheFile();
    const std::string header = JoinTabFields({"folioscope image cache 1", ImageDir}) + "\n";
    WriteFileBytes(file, header + std::string(fuzz::AsText(data, size)));
    TImageCache::Open(fuzz::InScratch("cache"), ImageDir).Save();
    const std::string saved = ReadFileBytes(file);
    TImageCache::Open(fuzz::InScratch("cache"), ImageDir).Save();
    fuzz::Require(ReadFileBytes(file) == saved);
    return 0;
}
