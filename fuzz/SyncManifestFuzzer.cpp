// libFuzzer target of the sync manifest, which comes from the server and decides what a sync
// deletes there: any text is refused or read into paths that stay inside the gallery's
// folder, and what was read is written and read again unchanged.
#include "FuzzFiles.h"
#include "ftp/SyncManifest.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace fsc;
    std::string problem;
    const auto manifest = ReadManifest(std::string(fuzz::AsText(data, size)), problem);
    if (!manifest) {
        fuzz::Require(!problem.empty());
        return 0;
    }
    for (const auto& [path, entry] : *manifest) fuzz::Require(IsPlainRelativePath(path));
    const auto again = ReadManifest(ManifestText(*manifest), problem);
    fuzz::Require(again && *again == *manifest);
    return 0;
}
