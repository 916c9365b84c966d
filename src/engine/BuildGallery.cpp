// The build entry: input checks, progress and the three steps.
#include "engine/BuildGallery.h"

#include "base/Errors.h"
#include "base/Text.h"
#include "engine/CopyTemplateFiles.h"
#include "engine/CreateHTML.h"
#include "engine/ImageStep.h"
#include "engine/InsideHTMLDir.h"
#include "engine/VariantsAsked.h"

namespace fsc {

namespace {

// An image name comes from the image list or a project file; its copy, thumbnail and image
// page are written below the image directory and nowhere else.
void CheckImageName(const TThumbnail& thumb) {
    const std::string& name = thumb.Name;
    if (Trim(name).empty() || !StaysInsideHTMLDir(name) || name == "." || name == "..") {
        throw EFSC_Exception("Image name \"" + name + "\" of \"" + thumb.FileName +
                             "\" leaves the image directory.");
    }
}

void CheckInput(const TBuildContext& context) {
    if (context.Thumbs.empty()) {
        throw EUserInputError("No images! Please add images to the gallery.");
    }
    if (Trim(context.HTML.HTMLDir).empty()) throw EUserInputError("No HTML directory was given.");
    for (const TThumbnail& thumb : context.Thumbs) CheckImageName(thumb);
    const TFSC_HTML& html = context.HTML;
    if (!html.NoHTML && (html.Rows < 1 || html.Cols < 1)) {
        throw EUserInputError("Rows and columns must be at least 1, not " +
                              std::to_string(html.Rows) + " x " + std::to_string(html.Cols) + ".");
    }
    CheckTemplateTargets(context.Template);
}

// The Abort handler points into this build's settings; it goes when the build ends, however
// it ends.
class TAbortHandlerScope {
public:
    TAbortHandlerScope(IProgress& progress, TFSC_Images& images) : progress(progress) {
        progress.SetAbortHandler([&images] { images.Abort = true; });
    }
    ~TAbortHandlerScope() { progress.ResetAbortHandler(); }
    TAbortHandlerScope(const TAbortHandlerScope&) = delete;
    TAbortHandlerScope& operator=(const TAbortHandlerScope&) = delete;

private:
    IProgress& progress;
};

}  // namespace

void BuildGallery(TBuildContext& context) {
    CheckInput(context);
    context.Journal.StartBuild();
    IProgress& progress = context.Services.Progress;
    TAbortHandlerScope abortHandler(progress, context.Images);
    progress.Update(0, 0, "Folioscope.", static_cast<int>(context.Thumbs.size()));
    CopyTemplateFiles(context);
    context.Images.Variants = VariantsAsked(context);
    CopyImagesAndThumbnails(context);
    if (!context.HTML.NoHTML) CreateHTML(context);
    progress.Hide();
}

}  // namespace fsc
