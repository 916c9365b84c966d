// Filling the image list from files, folders and pictures.
#include "app/AddImages.h"

#include <set>

#include "app/ImageListEdit.h"
#include "app/ImageNames.h"
#include "app/TreeToolFiles.h"
#include "app/VerifiedPictures.h"
#include "base/Errors.h"
#include "base/Files.h"
#include "base/MemoryBudget.h"
#include "base/OrderedWork.h"
#include "base/Paths.h"
#include "base/Text.h"
#include "engine/GalleryWrittenFiles.h"
#include "engine/SourcePicture.h"
#include "imaging/GraphicsIO.h"
#include "imaging/JpegReader.h"
#include "imaging/JpegWriter.h"

namespace fsc {

namespace {

// libjpeg's own default quality, which the clipboard conversion uses.
constexpr int DefaultJpegQuality = 75;

}  // namespace

namespace {

void AppendImage(TThumbnailArray& images, const std::string& path) {
    TThumbnail thumb;
    thumb.FileName = path;
    thumb.Name = AvoidNameClash(images, SaveAsName(path));
    thumb.Link = thumb.Name;
    thumb.FileDate = FileDate(path);
    images.push_back(std::move(thumb));
}

// Reads a picture completely, as adding it requires. Plug-in modules may not be safe on
// several threads, so only the built-in JPEG reader runs on the worker.
// A JPEG decoded at an eighth of its size still reads and checks every byte; a progressive
// one holds all its coefficients meanwhile, so large ones are read one at a time.
void CheckJpeg(const std::string& path, TMemoryBudget& memory, TPictureCheck check) {
    const TJpegInfo info = ReadJpegFileInfo(path);
    if (check == TPictureCheck::HeaderOnly) return;
    const TMemoryBudget::TShare share = memory.Take(info.CoefficientBytes);
    DecodeJpegFileAtLeast(path, 1, 1);
}

void ReadPicture(const std::string& path, ICallingThread& caller, TMemoryBudget& memory,
                 TPictureCheck check) {
    if (IsJpegFileName(path)) {
        CheckJpeg(path, memory, check);
    } else {
        caller.Run([&] { IsValidImage(path, false, nullptr); });
    }
}

// Returns why the picture cannot be read when such pictures are left out; raises otherwise.
std::string CheckPicture(const std::string& path, ICallingThread& caller, TMemoryBudget& memory,
                         TPictureCheck check, bool leaveOut) {
    try {
        ReadPicture(path, caller, memory, check);
    } catch (const EFscError& error) {
        if (leaveOut) return "\"" + path + "\": " + error.what();
        // A reader's message ("JPEG file is truncated") does not say which of the pictures
        // added together is at fault.
        throw EFSC_Exception("Cannot read the picture \"" + path + "\": " + error.what());
    }
    return {};
}

}  // namespace

bool AddOneFile(TThumbnailArray& images, const std::string& path) {
    if (!IsValidImage(path, false, nullptr)) return false;
    AppendImage(images, path);
    return true;
}

int AddImageFiles(Workspace& ws, ImageListPanel& panel, const TStringList& paths,
                  IProgress& progress, TPictureCheck check) {
    const int count = static_cast<int>(paths.size());
    progress.ResetAbortHandler();
    TVerifiedPictures verified = TVerifiedPictures::Open(ws.CacheFolder);
    // Decided on the calling thread, before a worker reads the picture.
    std::vector<TFileStamp> stamps(paths.size());
    std::vector<char> unverified(paths.size(), 0);
    int added = 0;
    TMemoryBudget& memory = SharedPictureMemory();
    TOrderedWork work;
    work.Count = count;
    work.Workers = WorkerCount(ws.Program.WorkerThreads);
    work.Prepare = [&](int i) {
        if (!IsImageName(paths[std::size_t(i)])) return;
        stamps[std::size_t(i)] = FileStampOf(paths[std::size_t(i)]);
        unverified[std::size_t(i)] = stamps[std::size_t(i)].Size >= 0 &&
                                     !verified.Known(paths[std::size_t(i)], stamps[std::size_t(i)]);
    };
    std::vector<std::string> failures(paths.size());
    work.Produce = [&](int i, ICallingThread& caller) {
        if (!unverified[std::size_t(i)]) return;
        failures[std::size_t(i)] =
            CheckPicture(paths[std::size_t(i)], caller, memory, check, ws.SkipBadPictures);
    };
    work.Consume = [&](int i) {
        progress.Update(0, i + 1, "Folioscope. Adding Images.", count);
        // A missing file, or a folder, is passed over without a word.
        if (stamps[std::size_t(i)].Size < 0) return;
        if (!failures[std::size_t(i)].empty()) {
            ws.LeftOutPictures.push_back(failures[std::size_t(i)]);
            return;
        }
        AppendImage(ws.Images, paths[std::size_t(i)]);
        verified.Add(paths[std::size_t(i)], stamps[std::size_t(i)]);
        ++added;
    };
    work.Wait = [&] { progress.KeepResponsive(); };
    try {
        RunInOrder(work);
    } catch (...) {
        verified.Save();
        progress.Hide();
        ShowSelection(ws, panel);
        throw;
    }
    verified.Save();
    progress.Hide();
    ShowSelection(ws, panel);
    return added;
}

int AddImageFolder(Workspace& ws, ImageListPanel& panel, const std::string& folder,
                   IProgress& progress, TPictureCheck check) {
    if (!DirectoryExists(folder)) {
        throw EUserInputError("The folder \"" + folder + "\" does not exist.");
    }
    // A gallery built into this folder left its copies and thumbnails here; taken as photos,
    // each build would add them again as new pictures.
    const std::set<std::string> written =
        GalleryWrittenFiles(folder, ws.HistoryFolder, ws.CacheFolder);
    const std::vector<TDirEntry> entries = ListDirectory(folder);
    // A camera that saves each photo as raw and as JPEG shows it once, by its own JPEG.
    std::set<std::string> developed;
    for (const TDirEntry& entry : entries)
        if (IsImageName(entry.Name) && !IsRawName(entry.Name))
            developed.insert(UpperCase(ChangeFileExt(entry.Name, "")));
    TStringList paths;
    for (const TDirEntry& entry : entries) {
        if (!entry.IsDirectory && IsImageName(entry.Name) && !IsTreeToolFile(entry.Name) &&
            written.count(entry.Name) == 0 &&
            !(IsRawName(entry.Name) && developed.count(UpperCase(ChangeFileExt(entry.Name, ""))))) {
            paths.push_back(JoinPath(folder, entry.Name));
        }
    }
    return AddImageFiles(ws, panel, paths, progress, check);
}

TStringList PictureDialogOrder(const TStringList& chosen) {
    TStringList order = chosen;
    if (order.size() > 1) std::swap(order.front(), order.back());
    return order;
}

void AddPictureAsJpeg(Workspace& ws, ImageListPanel& panel, const TBitmap& picture,
                      const std::string& target) {
    SaveJpeg(picture, target, DefaultJpegQuality, false);
    AddOneFile(ws.Images, target);
    ShowSelection(ws, panel);
}

void AddClipboardPicture(Workspace& ws, ImageListPanel& panel,
                         const std::optional<TBitmap>& clipboard,
                         const std::function<std::optional<std::string>()>& chooseTarget) {
    if (!clipboard) throw EUserInputError(NoClipboardPictureText);
    const std::optional<std::string> target = chooseTarget();
    if (target) AddPictureAsJpeg(ws, panel, *clipboard, *target);
}

void AddCapturedPicture(Workspace& ws, ImageListPanel& panel,
                        const std::optional<TBitmap>& captured,
                        const std::function<std::optional<std::string>()>& chooseTarget) {
    if (!captured) return;
    const std::optional<std::string> target = chooseTarget();
    if (target) AddPictureAsJpeg(ws, panel, *captured, *target);
}

}  // namespace fsc
