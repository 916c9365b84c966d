// libFuzzer target of image set files. The set's companion folder holds two real pictures, so
// a set written with its images finds them and goes on through the image check and naming.
#include <filesystem>

#include "FuzzFiles.h"
#include "app/ImageNames.h"
#include "app/ImageSet.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    namespace fs = std::filesystem;
    const fs::path folder = fsc::fuzz::InScratch("fuzz.set.dir");
    fs::create_directories(folder);
    const fs::path picture = std::string(FSC_SOURCE_DATA_DIR) + "/Templates/Frames.jpg";
    fs::copy_file(picture, folder / "a.jpg");
    fs::copy_file(picture, folder / "b.jpg");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace fsc;
    const std::string path = fuzz::ScratchFile("fuzz.set", fuzz::AsText(data, size));
    TSilentProgress progress;
    fuzz::Refusing([&] {
        for (const TThumbnail& image : ReadImageSet(path, progress))
            fuzz::Require(IsPlainFileName(image.Name));
    });
    return 0;
}
