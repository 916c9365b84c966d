// libFuzzer target of the verified-pictures list: any file reads as a list, and a picture
// added to it is known after it was saved and read again.
#include "FuzzFiles.h"
#include "app/VerifiedPictures.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace fsc;
    const std::string folder = fuzz::InScratch("verified");
    fuzz::ScratchFile("verified/verified-pictures", fuzz::AsText(data, size));
    TVerifiedPictures list = TVerifiedPictures::Open(folder);
    const TFileStamp stamp{123, 456};
    list.Add("/fuzz/added.jpg", stamp);
    list.Save();
    fuzz::Require(TVerifiedPictures::Open(folder).Known("/fuzz/added.jpg", stamp));
    return 0;
}
