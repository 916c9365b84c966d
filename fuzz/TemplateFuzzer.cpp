// libFuzzer target of template files: the file is read as a template and its settings lines
// are applied to a fresh workspace, the way choosing a template from the library does. The
// shipped templates' companion folders lie beside it, so their pages and schemes resolve.
#include <filesystem>

#include "FuzzFiles.h"
#include "app/Workspace.h"
#include "base/IAsk.h"
#include "templates/TemplateApply.h"

namespace {

class TNeverAsk final : public fsc::IAsk {
public:
    bool Ask(const std::string&, const std::string&) override { return false; }
};

void CopyShippedTemplateFolders() {
    namespace fs = std::filesystem;
    for (const fs::directory_entry& entry :
         fs::directory_iterator(std::string(FSC_SOURCE_DATA_DIR) + "/Templates")) {
        if (entry.is_directory())
            fs::copy(entry.path(), fsc::fuzz::InScratch(entry.path().filename().string()),
                     fs::copy_options::recursive);
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    CopyShippedTemplateFolders();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace fsc;
    const std::string path = fuzz::ScratchFile("fuzz.tpl", fuzz::AsText(data, size));
    Workspace ws;
    ws.Selection.Entries = {"USER:" + path};
    ws.Selection.ItemIndex = 0;
    TNeverAsk never;
    TemplateContext context = ws.Templates();
    fuzz::Refusing([&] {
        SelectTemplate(context, TTemplateSender::MainWindow, {}, never);
        ApplyTemplate(context, TTemplateSender::TemplateDialog);
    });
    return 0;
}
