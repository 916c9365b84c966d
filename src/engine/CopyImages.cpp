// The image copy step.
#include "engine/CopyImages.h"

#include "base/Files.h"
#include "engine/BuildFiles.h"
#include "engine/CancelBuild.h"
#include "engine/ImageCopyPicture.h"
#include "engine/NeedsCopy.h"
#include "imaging/JpegWriter.h"

namespace fsc {

namespace {

// What lives for the whole step: the question asked once, and the dialog's last choice.
struct TCopyStep {
    bool Asked = false;
    bool Keep = false;
    bool Progressive = false;
    TCopyChoices Choices;
};

TCopyTarget InspectTarget(TBuildContext& context, TCopyStep& step, const TThumbnail& thumb,
                          const std::string& target) {
    const TFSC_Images& images = context.Images;
    if (IsSameFile(target, thumb.FileName) && !images.KeepOriginals && !step.Asked) {
        step.Asked = true;
        step.Keep =
            !context.Services.Ask.Ask(OverwriteOriginalStatement, OverwriteOriginalQuestion);
    }
    TCopyTarget state;
    state.Exists = FileExists(target);
    state.IsSource = IsSameFileIgnoringCase(target, thumb.FileName);
    state.KeepOriginal = images.KeepOriginals || step.Keep;
    return state;
}

// Whatever the dialog answers, its quality and encoding now hold, for later images too.
void AskCompression(TBuildContext& context, TCopyStep& step, TCopyPicture& copy) {
    if (!step.Choices.All) {
        const TCompressionChoice choice = context.Services.CompressionDialog.Execute(copy.Picture);
        step.Choices.All = choice.Result == TCompressionResult::All;
        step.Choices.Quality = choice.Settings.Quality;
        step.Progressive = choice.Settings.Progressive;
    }
    copy.Modified = true;
}

void WriteCopy(TBuildContext& context, TCopyStep& step, TThumbnail& thumb,
               const std::string& target) {
    const TFSC_Images& images = context.Images;
    TCopyPicture copy = MakeCopyPicture(thumb.FileName, images, context.Services.Rasteriser,
                                        context.Services.Messages);
    thumb.Watermarked = images.Watermark;
    thumb.WatermarkTime = context.Services.Clock.Now();
    if (images.AdjustCompression) AskCompression(context, step, copy);
    const bool encode = !copy.SourceIsJpeg || copy.Modified;
    // Encoded before anything is touched, so a picture the encoder refuses changes no file.
    const std::string jpeg =
        encode ? EncodeJpeg(copy.Picture, step.Choices.Quality, step.Progressive) : std::string();
    copy.Picture = TBitmap();
    JournalImageTarget(context, target, thumb.CopyTime);
    if (encode) {
        WriteFileBytes(target, jpeg);
    } else {
        CopyFileSafely(thumb.FileName, target);
    }
    thumb.FileSize = static_cast<int>(FileSize(target));
    thumb.CopyTime = context.Services.Clock.Now();
    thumb.CopyResized = images.ResizeImages;
    thumb.CopyResizeWidth = images.ResizeWidth;
    thumb.CopyResizeHeight = images.ResizeHeight;
    thumb.CopyQuality = step.Choices.Quality;
}

}  // namespace

void CopyImages(TBuildContext& context) {
    TFSC_Images& images = context.Images;
    images.Abort = false;
    const std::string targetDir = ImageTargetDir(context.HTML);
    const int count = static_cast<int>(context.Thumbs.size());
    TCopyStep step;
    step.Choices.Quality = CopyQuality(context.DefaultCompression);
    for (int i = 0; i < count; ++i) {
        context.Services.Progress.Update(
            0, i,
            "Folioscope: Copying Images. " + std::to_string(i) + " of " + std::to_string(count),
            count);
        TThumbnail& thumb = context.Thumbs[i];
        thumb.Link = thumb.Name;
        CheckBuildAbort(context);
        const std::string target = targetDir + thumb.Name;
        const TCopyTarget state = InspectTarget(context, step, thumb, target);
        if (NeedsCopy(thumb, images, step.Choices, state, context.Services.Clock.Now())) {
            WriteCopy(context, step, thumb, target);
        }
    }
}

}  // namespace fsc
