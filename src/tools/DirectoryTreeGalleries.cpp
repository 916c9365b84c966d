// The directory-tree galleries.
#include "tools/DirectoryTreeGalleries.h"

#include <filesystem>
#include <optional>
#include <set>
#include <vector>

#include "app/AddImages.h"
#include "app/GalleryProject.h"
#include "app/ImageListEdit.h"
#include "base/Errors.h"
#include "base/Files.h"
#include "base/Paths.h"
#include "base/Text.h"
#include "engine/JournalFile.h"
#include "tools/PlaceholderPicture.h"
#include "tools/SubfolderTiles.h"
#include "tools/TreeCovers.h"
#include "tools/TreeFolderPictures.h"
#include "tools/TreeHistories.h"
#include "tools/TreeImageNames.h"
#include "tools/TreeNavigation.h"

namespace fsc {

namespace {

void CheckOptions(const DirectoryTreeOptions& options) {
    if (options.Directory.empty() || !DirectoryExists(options.Directory)) {
        throw EFSC_Exception(NoValidDirectoryText);
    }
    // A name of blanks only would give a page called ".html"; a name with a folder would put
    // every page one level down, where the links between the folders no longer meet.
    const std::string& name = options.FileName;
    if (Trim(name).empty() || name.find_first_of("/\\") != std::string::npos) {
        throw EFSC_Exception(NoValidFileNameText);
    }
}

std::string WithHTMLExtension(const std::string& name) {
    return EndsWith(UpperCase(name), ".HTML") ? name : name + ".html";
}

class TTreeRun {
public:
    TTreeRun(Workspace& ws, ImageListPanel& panel, const DirectoryTreeOptions& options,
             TCommandServices& services, TTreeHistories& histories)
        : ws(ws),
          panel(panel),
          options(options),
          services(services),
          histories(histories),
          progress(services.Build.Progress),
          userNavigation(ws.Schemes.Navigation.Text) {}

    // The cover for the parent's tile of the gallery made in `folder`: the thumbnail of its
    // first picture, or of the first picture further down when it has none of its own;
    // nothing when no gallery was made there. `shown` names the folder on its pages.
    std::optional<std::string> Visit(const std::string& folder, int depth,
                                     const std::string& shown) {
        const std::string dir = ExcludeTrailingSeparator(folder);
        if (!FirstVisit(dir) || !MayWritePage(dir)) return std::nullopt;
        const std::string caption = "Checking dir. " + ShownFolderText(dir);
        progress.Update(0, 0, caption, 1);
        std::vector<TSubfolderGallery> below;
        if (options.IncludeSubdirectories) below = VisitSubfolders(dir, depth, shown, caption);
        const std::set<std::string> earlierCovers = TreeOwnCovers(dir);
        const bool covers = CollectImages(dir, below, earlierCovers);
        if (ws.Images.empty()) return std::nullopt;
        Build(dir, depth, shown, below);
        NoteList(dir, TreeCopiesFileName,
                 TreeCopiesLines(dir, covers ? TThumbnailArray{} : ws.Images));
        NoteList(dir, TreeCoversFileName, TreeCoversLines(dir, earlierCovers, ws.Images, covers));
        for (const std::string& note : histories.Complete(ws.Images, services.Build.Random))
            services.Messages.ShowMessage(note);
        // A cover's own thumbnail is a copy of a copy: the one it was made from looks better.
        const TThumbnail& first = ws.Images.front();
        return covers ? first.FileName : JoinPath(dir, first.ThumbName);
    }

private:
    Workspace& ws;
    ImageListPanel& panel;
    const DirectoryTreeOptions& options;
    TCommandServices& services;
    TTreeHistories& histories;
    IProgress& progress;
    const TStringList userNavigation;
    // A link to a folder above would otherwise send the walk round in circles.
    std::set<std::filesystem::path> visited;

    // The folder's own pictures, or else a tile for each gallery below it. Returns whether
    // the images are those tiles.
    bool CollectImages(const std::string& dir, const std::vector<TSubfolderGallery>& below,
                       const std::set<std::string>& earlierCovers) {
        ClearImages(ws, panel);
        const TStringList others = OtherFiles(dir, earlierCovers);
        for (const std::string& path : TreeFolderPictures(dir)) AddPicture(path, others);
        if (!ws.Images.empty()) return false;
        for (const TSubfolderGallery& gallery : below) AddTile(dir, gallery, others);
        return true;
    }

    // A tree may hold thousands of pictures: the message names the one that stopped the run,
    // or the one left out.
    void AddPicture(const std::string& path, const TStringList& folderFiles) {
        try {
            if (!AddOneFile(ws.Images, path)) return;
        } catch (const EFscError& error) {
            if (ws.SkipBadPictures) {
                ws.LeftOutPictures.push_back("\"" + path + "\": " + error.what());
                return;
            }
            throw EFSC_Exception("Cannot read the picture \"" + path + "\": " + error.what());
        }
        KeepCopyOffOtherFiles(ws.Images, folderFiles);
    }

    // The placeholder stands in only for a subfolder whose first thumbnail is gone.
    void AddTile(const std::string& dir, TSubfolderGallery gallery, const TStringList& others) {
        if (!FileExists(gallery.Cover)) gallery.Cover = Placeholder(dir);
        const std::string page = options.NoNavigation ? std::string() : options.FileName;
        AddSubfolderTile(ws.Images, others, gallery, page);
    }

    std::string Placeholder(const std::string& dir) {
        const std::string path = JoinPath(dir, PlaceholderPictureName);
        const std::string bytes = PlaceholderPictureBytes();
        if (FileHolds(path, bytes)) return path;
        JournalFile(ws.Journal, path, BackupFolderOf(dir), services.Build.Random);
        WriteFileBytes(path, bytes);
        return path;
    }

    // The files a copy must not replace: everything but the tool's own files of earlier runs.
    static TStringList OtherFiles(const std::string& dir, const std::set<std::string>& covers) {
        const std::set<std::string> ownCopies = TreeOwnCopies(dir);
        TStringList names;
        for (const TDirEntry& entry : ListDirectory(dir)) {
            if (entry.IsDirectory || IsTreeToolFile(entry.Name) || ownCopies.count(entry.Name) ||
                covers.count(entry.Name))
                continue;
            names.push_back(entry.Name);
        }
        return names;
    }

    std::string GalleryOf(const std::string& dir) const {
        return JoinPath(dir, ToInternalPath(options.FileName));
    }

    // The folder's gallery and the files the tool writes beside it share one history.
    std::string BackupFolderOf(const std::string& dir) {
        histories.Begin(GalleryOf(dir));
        return histories.BackupFolder(services.BackupFolder);
    }

    bool FirstVisit(const std::string& dir) {
        std::error_code error;
        const std::filesystem::path real = std::filesystem::canonical(dir, error);
        return visited.insert(error ? std::filesystem::path(dir) : real).second;
    }

    // A page of that name that the tool did not write is the user's: ask before replacing it.
    bool MayWritePage(const std::string& dir) {
        const std::string page = GalleryOf(dir);
        if (!FileExists(page) || ReadFileBytes(page).find(RecurseFileMarker) != std::string::npos) {
            return true;
        }
        return services.Build.Ask.Ask(options.FileName + " already exists in " + dir,
                                      "and is not a file create by this method. Overwrite?");
    }

    std::vector<TSubfolderGallery> VisitSubfolders(const std::string& dir, int depth,
                                                   const std::string& shown,
                                                   const std::string& caption) {
        const std::vector<TDirEntry> entries = ListDirectory(dir);
        const int count = static_cast<int>(entries.size());
        std::vector<TSubfolderGallery> galleries;
        for (int i = 0; i < count; ++i) {
            progress.Update(0, i, caption, count);
            if (!entries[i].IsDirectory) continue;
            const std::string& name = entries[i].Name;
            const std::optional<std::string> cover =
                Visit(JoinPath(dir, name), depth + 1, shown + "/" + name);
            if (cover) galleries.push_back({name, *cover});
        }
        return galleries;
    }

    void Build(const std::string& dir, int depth, const std::string& shown,
               const std::vector<TSubfolderGallery>& below) {
        TStringList subfolders;
        for (const TSubfolderGallery& gallery : below) subfolders.push_back(gallery.Name);
        const std::string links =
            options.NoNavigation ? std::string()
                                 : TreeNavigationText(shown, depth, subfolders, options.FileName);
        ws.Schemes.Navigation.Text = TreeNavigationScheme(userNavigation, links);
        progress.Hide();
        // The pictures stay where they are: the gallery is written beside them.
        ws.Main.ImageDir.clear();
        ws.Main.HTMLDir = dir;
        ws.Main.HTMLFile = options.FileName;
        histories.Begin(GalleryOf(dir));
        CreateGallery(ws, TCreateMode::DirectoryTreeTool, services, {options.AllowModify});
    }

    // The next run must know the tool's own files that it finds beside the originals (copies,
    // covers), or it would take them for more pictures. A list is journalled like every
    // written file, so an undo takes it back too; one that holds its lines already is left
    // alone, as a page is.
    void NoteList(const std::string& dir, const char* listName, const TStringList& lines) {
        const std::string list = JoinPath(dir, listName);
        if (!lines.empty()) ws.Journal.AddOutput(list);
        if (lines.empty() ? !FileExists(list) : FileHolds(list, JoinLines(lines))) return;
        JournalFile(ws.Journal, list, BackupFolderOf(dir), services.Build.Random);
        if (lines.empty()) {
            DeleteFileIfExists(list);
        } else {
            SaveLines(list, lines);
        }
    }
};

void PrepareRun(Workspace& ws, ImageListPanel& panel, const DirectoryTreeOptions& options) {
    ws.Main.HTMLFile = options.FileName;
    ws.Template.IndexPage.insert(ws.Template.IndexPage.begin(), RecurseFileMarker);
    ClearImages(ws, panel);
}

// The folder whose build failed keeps what it wrote in its history for an undo, as a gallery
// built alone does; an abort takes back the whole run instead. A failure here must not hide
// why the run stopped: it is shown, and the run's own error passes on.
void EndHistoriesAfterError(const Workspace& ws, TTreeHistories& histories, IMessages& messages) {
    try {
        histories.Finish();
        if (ws.LastImages && ws.LastImages->Abort) histories.UndoFinishedGalleries(messages);
    } catch (const EFscError& error) {
        messages.ShowError(error.what());
    }
}

// A failing restore must not hide why the run stopped; it is shown, and the run's own
// error passes on.
void RestoreAfterError(Workspace& ws, ImageListPanel& panel, const std::string& saveFile,
                       TCommandServices& services) {
    try {
        OpenGalleryProject(ws, panel, saveFile, services.Build.Ask, services.Build.Progress);
    } catch (const EFscError& error) {
        services.Messages.ShowError(error.what());
    }
}

}  // namespace

bool CreateDirectoryTreeGalleries(Workspace& ws, ImageListPanel& panel,
                                  DirectoryTreeOptions& options, TCommandServices& services,
                                  const std::string& workFolder) {
    ForceDirectories(workFolder);
    CheckOptions(options);
    options.FileName = WithHTMLExtension(options.FileName);
    if (options.AllowModify && (ws.Main.ResizeWidthChecked || ws.Main.ResizeHeightChecked) &&
        !services.Build.Ask.Ask("Are you sure you want to allow to modify the original images?",
                                "This will destroy them!")) {
        options.AllowModify = false;
    }
    const std::string saveFile = JoinPath(workFolder, TreeSaveFileName);
    SaveGalleryProject(ws, saveFile, services.Messages, services.Build.Progress);

    bool made = false;
    TTreeHistories histories(ws.Journal, services.HistoryFolder);
    try {
        PrepareRun(ws, panel, options);
        const std::string top = ExcludeTrailingSeparator(options.Directory);
        made = TTreeRun(ws, panel, options, services, histories)
                   .Visit(top, 0, ShownTopFolder(top))
                   .has_value();
        services.Build.Progress.Hide();
        const std::string page = JoinPath(top, ToInternalPath(options.FileName));
        // Nothing to show when the top folder got no gallery and had no page of that name.
        if (FileExists(page)) services.Shell.Open(page);
    } catch (...) {
        services.Build.Progress.Hide();
        EndHistoriesAfterError(ws, histories, services.Messages);
        RestoreAfterError(ws, panel, saveFile, services);
        throw;
    }
    OpenGalleryProject(ws, panel, saveFile, services.Build.Ask, services.Build.Progress);
    return made;
}

}  // namespace fsc
