// libFuzzer target of gallery projects: the project's lines, its template and its image set
// (split from one input) are opened into a fresh workspace. The companion folder also holds
// two real pictures and the shipped templates' folders, so references in them resolve.
#include <fuzzer/FuzzedDataProvider.h>

#include <filesystem>

#include "FuzzFiles.h"
#include "app/GalleryProject.h"

namespace {

class TNeverAsk final : public fsc::IAsk {
public:
    bool Ask(const std::string&, const std::string&) override { return false; }
};

class TQuietMessages final : public fsc::IMessages {
public:
    void ShowError(const std::string&) override {}
    void ShowInformation(const std::string&) override {}
    void ShowMessage(const std::string&) override {}
};

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    namespace fs = std::filesystem;
    // A saved project leaves the pages and schemes its template names beside it.
    fsc::Workspace ws;
    ws.Main.HTMLDir = fsc::fuzz::InScratch("site");
    TQuietMessages messages;
    fsc::TSilentProgress progress;
    fsc::SaveGalleryProject(ws, fsc::fuzz::InScratch("fuzz.gal"), messages, progress);
    const fs::path folder = fsc::fuzz::InScratch("fuzz.gal.dir");
    const fs::path pictures = folder / "images.set.dir";
    fs::create_directories(pictures);
    const std::string shipped = std::string(FSC_SOURCE_DATA_DIR) + "/Templates";
    fs::copy_file(shipped + "/Frames.jpg", pictures / "a.jpg");
    fs::copy_file(shipped + "/Frames.jpg", pictures / "b.jpg");
    for (const fs::directory_entry& entry : fs::directory_iterator(shipped)) {
        if (entry.is_directory())
            fs::copy(entry.path(), folder / entry.path().filename(), fs::copy_options::recursive);
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace fsc;
    FuzzedDataProvider input(data, size);
    const std::string project = fuzz::ScratchFile("fuzz.gal", input.ConsumeRandomLengthString());
    fuzz::ScratchFile("fuzz.gal.dir/template.tpl", input.ConsumeRandomLengthString());
    fuzz::ScratchFile("fuzz.gal.dir/images.set", input.ConsumeRemainingBytesAsString());
    Workspace ws;
    ImageListPanel panel;
    TNeverAsk never;
    TSilentProgress progress;
    fuzz::Refusing([&] { OpenGalleryProject(ws, panel, project, never, progress); });
    return 0;
}
