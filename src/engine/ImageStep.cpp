// The image step: deciding, making side by side, writing in order.
#include "engine/ImageStep.h"

#include <optional>
#include <set>
#include <vector>

#include "base/Errors.h"
#include "base/Files.h"
#include "base/MemoryBudget.h"
#include "base/OrderedWork.h"
#include "engine/BuildFiles.h"
#include "engine/CancelBuild.h"
#include "engine/ImageCache.h"
#include "engine/ImageCopyPicture.h"
#include "engine/ImageFiles.h"
#include "engine/NeedsCopy.h"
#include "engine/OriginalFiles.h"
#include "engine/PictureVariants.h"
#include "engine/ThumbnailPicture.h"
#include "imaging/JpegQuality.h"

namespace fsc {

namespace {

// What one picture needs, decided on the calling thread before it is handed out.
struct TImagePlan {
    TImageJob Job;
    std::string CopyTarget;
    std::string ThumbPath;
    // Still current by the image cache: nothing to make, the record is filled from here.
    std::optional<TCachedImage> CachedCopy;
    std::optional<TCachedImage> CachedThumb;
    // A copy that may be recorded in the cache (not the source file itself, no dialog).
    bool CacheCopy = false;
    bool Produce = false;
};

// What lives for the whole step.
struct TStep {
    explicit TStep(TBuildContext& context) : Context(context) {}
    TBuildContext& Context;
    std::string TargetDir;
    int Method = 0;
    int ThumbQuality = 50;
    bool Asked = false;
    bool Keep = false;
    bool Progressive = false;
    TCopyChoices Choices;
    TImageCache Cache;
    std::vector<TImagePlan> Plans;
    std::vector<std::optional<TImageFiles>> Results;
    // Why a picture could not be read, when such pictures are left out; empty otherwise.
    std::vector<std::string> Failures;
    // The names in the originals folder given out so far, in upper case.
    std::set<std::string> OriginalNames;
    // The pictures whose originals would publish where they were taken; named once at the
    // end, not in a message each.
    std::vector<std::string> WithheldOriginals;
};

// The rasteriser of the GUI or the console draws with Qt, which draws text on its own thread
// only; the workers' watermarks are drawn there.
class TCallingThreadRasteriser final : public ITextRasteriser {
public:
    TCallingThreadRasteriser(ITextRasteriser& rasteriser, ICallingThread& caller)
        : rasteriser(rasteriser), caller(caller) {}
    int TextWidth(const TFontSpec& font, const std::string& text) override {
        int width = 0;
        caller.Run([&] { width = rasteriser.TextWidth(font, text); });
        return width;
    }
    int TextHeight(const TFontSpec& font, const std::string& text) override {
        int height = 0;
        caller.Run([&] { height = rasteriser.TextHeight(font, text); });
        return height;
    }
    void DrawText(const TFontSpec& font, const std::string& text, int x, int y,
                  TRgbCanvas& canvas) override {
        caller.Run([&] { rasteriser.DrawText(font, text, x, y, canvas); });
    }

private:
    ITextRasteriser& rasteriser;
    ICallingThread& caller;
};

TCopyTarget InspectTarget(TStep& step, const TThumbnail& thumb, const std::string& target) {
    const TFSC_Images& images = step.Context.Images;
    if (IsSameFile(target, thumb.FileName) && !images.KeepOriginals && !step.Asked) {
        step.Asked = true;
        step.Keep =
            !step.Context.Services.Ask.Ask(OverwriteOriginalStatement, OverwriteOriginalQuestion);
    }
    TCopyTarget state;
    state.Exists = FileExists(target);
    state.IsSource = IsSameFileIgnoringCase(target, thumb.FileName);
    state.KeepOriginal = images.KeepOriginals || step.Keep;
    return state;
}

void PlanCopy(TStep& step, TImagePlan& plan, const TThumbnail& thumb, const TFileStamp& source) {
    TBuildContext& context = step.Context;
    const TFSC_Images& images = context.Images;
    const TCopyTarget state = InspectTarget(step, thumb, plan.CopyTarget);
    plan.Job.Copy = {step.Choices.Quality, step.Progressive};
    plan.CacheCopy = step.Cache.Enabled() && !state.IsSource && !images.AdjustCompression;
    if (plan.CacheCopy) {
        const TCachedImage* cached = step.Cache.Current(plan.CopyTarget, thumb.FileName, source,
                                                        CopySettingsKey(images, plan.Job.Copy));
        if (cached != nullptr) plan.CachedCopy = *cached;
        plan.Job.MakeCopy = cached == nullptr;
    } else {
        plan.Job.MakeCopy =
            NeedsCopy(thumb, images, step.Choices, state, context.Services.Clock.Now());
    }
    plan.Job.CopyOverSource = plan.Job.MakeCopy && IsSameFile(plan.CopyTarget, thumb.FileName);
}

void PlanThumb(TStep& step, TImagePlan& plan, TThumbnail& thumb, const TFileStamp& source) {
    const TFSC_Images& images = step.Context.Images;
    thumb.ThumbName = ThumbnailName(thumb.Name, images.ThumbSuffix, images.ImagesAreThumbs);
    plan.Job.ThumbName = thumb.ThumbName;
    plan.ThumbPath = step.TargetDir + thumb.ThumbName;
    plan.Job.ThumbQuality = step.ThumbQuality;
    if (images.ImagesAreThumbs) {
        plan.Job.MeasureOnly = true;
    } else if (step.Cache.Enabled() && !plan.Job.CopyOverSource) {
        const TCachedImage* cached =
            step.Cache.Current(plan.ThumbPath, thumb.FileName, source,
                               ThumbSettingsKey(images, step.Method, step.ThumbQuality));
        if (cached != nullptr) plan.CachedThumb = *cached;
        plan.Job.MakeThumb = cached == nullptr;
    } else {
        plan.Job.MakeThumb = !ThumbnailIsCurrent(thumb, images, step.Method, step.ThumbQuality,
                                                 FileExists(plan.ThumbPath));
    }
}

bool AllExist(const TStep& step, const std::vector<TVariant>& variants) {
    for (const TVariant& variant : variants)
        if (!FileExists(step.TargetDir + variant.Name)) return false;
    return true;
}

// Extra files come with their copy or thumbnail: one that is missing (the template asks for
// more than the last build made, or a file was deleted) has the copy or thumbnail made again.
void PlanVariants(TStep& step, TImagePlan& plan, const TThumbnail& thumb) {
    const TFSC_Images& images = step.Context.Images;
    if (!images.Variants.Any()) return;
    const TSize source =
        plan.CachedThumb ? plan.CachedThumb->ImageSize : TSize{thumb.ImageWidth, thumb.ImageHeight};
    const bool known = source.Width > 0 && source.Height > 0;
    // An original that is its own copy, kept or written over, is the user's: nothing is made
    // beside it.
    if (!plan.Job.MakeCopy && !IsSameFileIgnoringCase(plan.CopyTarget, thumb.FileName) &&
        (!known || !AllExist(step, CopyVariants(images, thumb.Name, CopySize(images, source))))) {
        plan.Job.MakeCopy = true;
        plan.CachedCopy.reset();
    }
    if (!plan.Job.MakeThumb && !plan.Job.MeasureOnly &&
        (!known || !AllExist(step, ThumbVariants(images, thumb.ThumbName, source)))) {
        plan.Job.MakeThumb = true;
        plan.CachedThumb.reset();
    }
}

void Plan(TStep& step, int index) {
    TThumbnail& thumb = step.Context.Thumbs[std::size_t(index)];
    thumb.Link = thumb.Name;
    TImagePlan& plan = step.Plans[std::size_t(index)];
    plan.Job.FileName = thumb.FileName;
    plan.Job.CopyName = thumb.Name;
    plan.CopyTarget = step.TargetDir + thumb.Name;
    const TFileStamp source = step.Cache.Enabled() ? FileStampOf(thumb.FileName) : TFileStamp{};
    PlanCopy(step, plan, thumb, source);
    PlanThumb(step, plan, thumb, source);
    PlanVariants(step, plan, thumb);
    plan.Produce = plan.Job.MakeCopy || plan.Job.MakeThumb || plan.Job.MeasureOnly;
}

void ProduceFiles(TStep& step, TMemoryBudget& memory, int index, ICallingThread& caller) {
    const TImagePlan& plan = step.Plans[std::size_t(index)];
    TBuildContext& context = step.Context;
    if (!plan.Produce) {
        // The pages show the photo's data also when its files are all current; the EXIF
        // block alone is read for it.
        TImageFiles files;
        files.Photo = ReadPhotoData(plan.Job.FileName, context.Images);
        step.Results[std::size_t(index)] = std::move(files);
        return;
    }
    TCallingThreadRasteriser rasteriser(context.Services.Rasteriser, caller);
    TImageServices services{rasteriser, memory, nullptr};
    if (context.Images.AdjustCompression) {
        services.AdjustCompression = [&](const TBitmap& picture) {
            caller.Run([&] {
                if (step.Choices.All) return;
                const TCompressionChoice choice =
                    context.Services.CompressionDialog.Execute(picture);
                step.Choices.All = choice.Result == TCompressionResult::All;
                step.Choices.Quality = choice.Settings.Quality;
                step.Progressive = choice.Settings.Progressive;
            });
            return TJpegSettings{step.Choices.Quality, step.Progressive};
        };
    }
    step.Results[std::size_t(index)] = MakeImageFiles(plan.Job, context.Images, services);
}

// The record of a copy that is now on disk, made or found current.
void Produce(TStep& step, TMemoryBudget& memory, int index, ICallingThread& caller) {
    try {
        ProduceFiles(step, memory, index, caller);
    } catch (const EFscError& error) {
        if (!step.Context.Images.SkipBadPictures) throw EUnreadablePicture(error.what());
        step.Failures[std::size_t(index)] = error.what();
        if (step.Failures[std::size_t(index)].empty()) step.Failures[std::size_t(index)] = "?";
    }
}

void RecordCopy(TStep& step, TThumbnail& thumb, std::int64_t fileSize, int quality) {
    const TFSC_Images& images = step.Context.Images;
    const TDateTime now = step.Context.Services.Clock.Now();
    thumb.Watermarked = images.Watermark;
    thumb.WatermarkTime = now;
    thumb.FileSize = int(fileSize);
    thumb.CopyTime = now;
    thumb.CopyResized = images.ResizeImages;
    thumb.CopyResizeWidth = images.ResizeWidth;
    thumb.CopyResizeHeight = images.ResizeHeight;
    thumb.CopyQuality = quality;
    thumb.CopyKeptLocation = !images.RemoveLocation;
}

void WriteVariants(TStep& step, const std::vector<TVariantFile>& variants) {
    for (const TVariantFile& variant : variants) {
        const std::string path = step.TargetDir + variant.Name;
        JournalImageTarget(step.Context, path);
        WriteFileBytes(path, variant.Bytes);
    }
}

void WriteCopy(TStep& step, const TImagePlan& plan, TThumbnail& thumb, const TImageFiles& files) {
    TBuildContext& context = step.Context;
    JournalImageTarget(context, plan.CopyTarget);
    if (files.CopyIsSourceBytes) {
        CopyFileSafely(thumb.FileName, plan.CopyTarget);
    } else {
        WriteFileBytes(plan.CopyTarget, files.CopyJpeg);
    }
    WriteVariants(step, files.CopyVariants);
    RecordCopy(step, thumb, FileStampOf(plan.CopyTarget).Size, files.CopySettings.Quality);
    if (plan.CacheCopy) {
        step.Cache.Record(plan.CopyTarget, {thumb.FileName,
                                            files.Source,
                                            CopySettingsKey(context.Images, files.CopySettings),
                                            {},
                                            {},
                                            {}});
    } else {
        step.Cache.Forget(plan.CopyTarget);
    }
}

void TakeCachedThumb(TStep& step, TThumbnail& thumb, const TCachedImage& cached) {
    const TFSC_Images& images = step.Context.Images;
    thumb.ImageWidth = cached.ImageSize.Width;
    thumb.ImageHeight = cached.ImageSize.Height;
    thumb.ThumbWidth = cached.ThumbSize.Width;
    thumb.ThumbHeight = cached.ThumbSize.Height;
    thumb.ThumbTime = step.Context.Services.Clock.Now();
    thumb.ThumbBoxWidth = images.ThumbWidth;
    thumb.ThumbBoxHeight = images.ThumbHeight;
    thumb.ThumbMethod = step.Method;
    thumb.ThumbQuality = step.ThumbQuality;
}

void WriteThumb(TStep& step, const TImagePlan& plan, TThumbnail& thumb, const TImageFiles& files) {
    TBuildContext& context = step.Context;
    const TFSC_Images& images = context.Images;
    if (plan.Job.MeasureOnly) {
        thumb.ImageWidth = files.ImageSize.Width;
        thumb.ImageHeight = files.ImageSize.Height;
        thumb.ThumbWidth = files.ThumbSize.Width;
        thumb.ThumbHeight = files.ThumbSize.Height;
        return;
    }
    JournalImageTarget(context, plan.ThumbPath);
    WriteFileBytes(plan.ThumbPath, files.ThumbJpeg);
    WriteVariants(step, files.ThumbVariants);
    // The pages show the file that was written: in hard-limit mode the part cut to the box.
    TCachedImage made{thumb.FileName,
                      files.Source,
                      ThumbSettingsKey(images, step.Method, step.ThumbQuality),
                      {},
                      files.ImageSize,
                      ThumbnailFileSize(images, files.ThumbSize)};
    // A thumbnail of a copy that replaced its source shows the file as it is now.
    if (plan.Job.CopyOverSource) made.SourceStamp = FileStampOf(thumb.FileName);
    TakeCachedThumb(step, thumb, made);
    step.Cache.Record(plan.ThumbPath, made);
}

// Records the extra files that exist as outputs; true when all of them do.
bool RecordVariants(const TStep& step, const std::vector<TVariant>& variants) {
    bool all = true;
    for (const TVariant& variant : variants) {
        const std::string path = step.TargetDir + variant.Name;
        if (FileExists(path)) {
            step.Context.Journal.AddOutput(path);
        } else {
            all = false;
        }
    }
    return all;
}

// What the picture has in the gallery now, made or found current; the picture itself, when
// its copy is written over it, stays the user's.
void RecordOutputs(const TStep& step, const TImagePlan& plan, TThumbnail& thumb) {
    TBuildJournal& journal = step.Context.Journal;
    const TFSC_Images& images = step.Context.Images;
    if (!IsSameFile(plan.CopyTarget, thumb.FileName) && FileExists(plan.CopyTarget))
        journal.AddOutput(plan.CopyTarget);
    if (!plan.Job.MeasureOnly && FileExists(plan.ThumbPath)) journal.AddOutput(plan.ThumbPath);
    // The extra files, as the pages will name them.
    const TSize source{thumb.ImageWidth, thumb.ImageHeight};
    thumb.HasCopyVariants = thumb.HasThumbVariants = false;
    if (source.Width <= 0 || source.Height <= 0) return;
    thumb.HasCopyVariants =
        !IsSameFileIgnoringCase(plan.CopyTarget, thumb.FileName) &&
        RecordVariants(step, CopyVariants(images, thumb.Name, CopySize(images, source)));
    thumb.HasThumbVariants = RecordVariants(step, ThumbVariants(images, thumb.ThumbName, source));
}

void Consume(TStep& step, int index, int count) {
    TBuildContext& context = step.Context;
    context.Services.Progress.Update(
        0, index,
        "Folioscope: Copying Images. " + std::to_string(index) + " of " + std::to_string(count),
        count);
    CheckBuildAbort(context);
    TThumbnail& thumb = context.Thumbs[std::size_t(index)];
    const TImagePlan& plan = step.Plans[std::size_t(index)];
    const std::string& failure = step.Failures[std::size_t(index)];
    if (!failure.empty()) {
        context.Journal.LeftOut.push_back("\"" + thumb.FileName + "\": " + failure);
        return;
    }
    std::optional<TImageFiles> files = std::move(step.Results[std::size_t(index)]);
    step.Results[std::size_t(index)].reset();
    if (files && context.Services.Messages != nullptr) {
        for (const std::string& notice : files->Notices)
            context.Services.Messages->ShowMessage(notice);
    }
    if (files) thumb.Photo = files->Photo;
    if (plan.CachedCopy) {
        RecordCopy(step, thumb, plan.CachedCopy->Output.Size, step.Choices.Quality);
    }
    if (plan.Job.MakeCopy) WriteCopy(step, plan, thumb, *files);
    if (plan.CachedThumb) TakeCachedThumb(step, thumb, *plan.CachedThumb);
    if (plan.Job.MakeThumb || plan.Job.MeasureOnly) WriteThumb(step, plan, thumb, *files);
    RecordOutputs(step, plan, thumb);
    thumb.OriginalName.clear();
    const TFSC_Images& images = context.Images;
    if (images.Originals && images.CopyVariants && !thumb.noImage &&
        !PublishOriginal(context, thumb, step.OriginalNames))
        step.WithheldOriginals.push_back(thumb.FileName);
}

// Whatever was written stays on disk until an undo, so the cache learns it even when the
// build stops with an error; an aborted build's files are gone, and so the entries fail.
class TCacheSaver {
public:
    explicit TCacheSaver(const TImageCache& cache) : cache(cache) {}
    ~TCacheSaver() { cache.Save(); }
    TCacheSaver(const TCacheSaver&) = delete;
    TCacheSaver& operator=(const TCacheSaver&) = delete;

private:
    const TImageCache& cache;
};

// The pages are made of the pictures that remain; with none left there is no gallery.
void LeaveOutFailures(TBuildContext& context, const std::vector<std::string>& failures) {
    TThumbnailArray& thumbs = context.Thumbs;
    std::size_t kept = 0;
    for (std::size_t i = 0; i < thumbs.size(); ++i) {
        if (!failures[i].empty()) continue;
        if (kept != i) thumbs[kept] = std::move(thumbs[i]);
        ++kept;
    }
    if (kept == thumbs.size()) return;
    thumbs.resize(kept);
    if (thumbs.empty()) throw EUserInputError(NoReadablePicturesText);
}

}  // namespace

void CopyImagesAndThumbnails(TBuildContext& context) {
    TFSC_Images& images = context.Images;
    const int count = static_cast<int>(context.Thumbs.size());
    if (images.ThumbSuffix.empty()) images.ThumbSuffix = "_th";
    TStep step{context};
    step.TargetDir = ImageTargetDir(context.HTML);
    step.Method = ThumbMethodCode(images.ThumbSizeMode);
    step.ThumbQuality = ThumbnailQuality(images.ThumbQualityLevel, context.DefaultCompression);
    step.Choices.Quality = CopyQuality(context.DefaultCompression);
    step.Cache = TImageCache::Open(context.CacheFolder, step.TargetDir);
    step.Plans.resize(std::size_t(count));
    step.Results.resize(std::size_t(count));
    TCacheSaver saver(step.Cache);
    // Keeps two large progressive JPEGs, which hold every coefficient while they decode, apart.
    TMemoryBudget& memory = SharedPictureMemory();

    TOrderedWork work;
    work.Count = count;
    // The compression dialog decides each picture's encoding before the next is planned.
    work.Workers = images.AdjustCompression ? 1 : WorkerCount(context.Jobs);
    work.Stop = [&] { return images.Abort; };
    work.Prepare = [&](int i) { Plan(step, i); };
    work.Produce = [&](int i, ICallingThread& caller) { Produce(step, memory, i, caller); };
    work.Consume = [&](int i) { Consume(step, i, count); };
    work.Wait = [&] { context.Services.Progress.KeepResponsive(); };
    step.Failures.resize(std::size_t(count));
    if (!RunInOrder(work)) CheckBuildAbort(context);
    LeaveOutFailures(context, step.Failures);
    if (!step.WithheldOriginals.empty() && context.Services.Messages != nullptr)
        context.Services.Messages->ShowMessage(WithheldOriginalsText(step.WithheldOriginals));
}

}  // namespace fsc
