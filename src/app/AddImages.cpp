// Filling the image list from files, folders and pictures.
#include "app/AddImages.h"

#include "app/ImageListEdit.h"
#include "app/ImageNames.h"
#include "base/Errors.h"
#include "base/Files.h"
#include "base/Paths.h"
#include "imaging/GraphicsIO.h"
#include "imaging/JpegWriter.h"

namespace fsc {

namespace {

// libjpeg's own default quality, which the clipboard conversion uses.
constexpr int DefaultJpegQuality = 75;

}  // namespace

bool AddOneFile(TThumbnailArray& images, const std::string& path) {
    if (!IsValidImage(path, false, nullptr)) return false;
    TThumbnail thumb;
    thumb.FileName = path;
    thumb.Name = AvoidNameClash(images, SaveAsName(path));
    thumb.Link = thumb.Name;
    thumb.FileDate = FileDate(path);
    images.push_back(std::move(thumb));
    return true;
}

int AddImageFiles(Workspace& ws, ImageListPanel& panel, const TStringList& paths,
                  IProgress& progress) {
    const int count = static_cast<int>(paths.size());
    progress.ResetAbortHandler();
    int added = 0;
    try {
        for (int i = 0; i < count; ++i) {
            progress.Update(0, i + 1, "Folioscope. Adding Images.", count);
            if (IsImageName(paths[i]) && AddOneFile(ws.Images, paths[i])) ++added;
        }
    } catch (...) {
        progress.Hide();
        ShowSelection(ws, panel);
        throw;
    }
    progress.Hide();
    ShowSelection(ws, panel);
    return added;
}

int AddImageFolder(Workspace& ws, ImageListPanel& panel, const std::string& folder,
                   IProgress& progress) {
    if (!DirectoryExists(folder)) {
        throw ELumettaError("The folder \"" + folder + "\" does not exist.");
    }
    TStringList paths;
    for (const TDirEntry& entry : ListDirectory(folder)) {
        if (!entry.IsDirectory && IsImageName(entry.Name)) {
            paths.push_back(JoinPath(folder, entry.Name));
        }
    }
    return AddImageFiles(ws, panel, paths, progress);
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
    if (!clipboard) throw ELumettaError(NoClipboardPictureText);
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
