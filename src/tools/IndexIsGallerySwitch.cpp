// Switching between an index that is the gallery and a separate gallery page.
#include "tools/IndexIsGallerySwitch.h"

#include <algorithm>

#include "base/Text.h"

namespace fsc {

namespace {

bool IsBlank(const TStringList& lines) {
    return std::all_of(lines.begin(), lines.end(),
                       [](const std::string& line) { return Trim(line).empty(); });
}

void MakeGalleryPageSeparate(Workspace& ws, IRandom& random, IMessages& messages) {
    TTemplate& tpl = ws.Template;
    tpl.IndexIsGallery = false;
    std::string message;
    if (Trim(tpl.GalleryPageName).empty()) {
        tpl.GalleryPageName = GeneratedGalleryName(random, ws.Program.DefaultHTMLExt);
        message = "Created new gallery name.";
    }
    if (!tpl.GalleryPage) tpl.GalleryPage = TStringList{};
    if (!IsBlank(*tpl.GalleryPage)) {
        message +=
            " Used old contents for the gallery HTML. You can edit it on the HTML "
            "Template page.";
    } else {
        message +=
            " The gallery HTML content was set to the default gallery HTML. You can "
            "edit it on the HTML Template page.";
        tpl.GalleryPage = DefaultPageSkeleton();
    }
    messages.ShowInformation(message);
}

}  // namespace

std::string GeneratedGalleryName(IRandom& random, const std::string& defaultHTMLExt) {
    const std::string ext = Trim(defaultHTMLExt).empty() ? "html" : defaultHTMLExt;
    return "gal" + std::to_string(99999 + random.Random(999999)) + "." + ext;
}

void SwitchIndexIsGallery(Workspace& ws, bool indexIsGallery, IAsk& ask, IRandom& random,
                          IMessages& messages) {
    if (indexIsGallery == ws.Template.IndexIsGallery) return;
    if (indexIsGallery) {
        if (ask.Ask("Are you sure?",
                    "Please take care that the index HTML template has a gallery tag!")) {
            ws.Template.IndexIsGallery = true;
        }
        return;
    }
    if (ask.Ask("Are you sure?",
                "If it is not linked from the index file, the gallery won't be displayed.")) {
        MakeGalleryPageSeparate(ws, random, messages);
    }
}

}  // namespace fsc
