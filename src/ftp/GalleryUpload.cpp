// The upload job list of a built gallery and the "Upload" action.
#include "ftp/GalleryUpload.h"

#include <algorithm>
#include <filesystem>

#include "base/Errors.h"
#include "base/Paths.h"
#include "base/Text.h"
#include "ftp/TFtpJobQueue.h"

namespace fsc {

namespace {

class TJobWriter {
public:
    TStringList Jobs;

    // An "Up" job for a name that exists in `folder`; text-only entries have no file.
    void Up(const std::string& folder, const std::string& name) {
        std::error_code ignored;
        if (!name.empty() && std::filesystem::exists(JoinPath(folder, name), ignored))
            Jobs.push_back("Up;" + name);
    }
    void Add(const std::string& line) { Jobs.push_back(line); }
    // One level at a time, so that the local and the remote side move in step.
    void Enter(const TStringList& folders) {
        for (const std::string& folder : folders) Add("ChDir;" + folder);
    }
    void Leave(const TStringList& folders) {
        for (std::size_t i = 0; i < folders.size(); ++i) Add("ChDir;..");
    }
};

// The levels of a folder below the HTML directory, either separator, without "." levels:
// an image directory "." is the HTML directory itself.
TStringList FolderLevels(const std::string& folder) {
    TStringList levels;
    std::string level;
    for (const char c : folder + "/") {
        if (c != '/' && c != '\\') {
            level += c;
            continue;
        }
        if (!level.empty() && level != ".") levels.push_back(level);
        level.clear();
    }
    return levels;
}

std::string JoinLevels(const std::string& base, const TStringList& levels) {
    std::string path = base;
    for (const std::string& level : levels) path = JoinPath(path, level);
    return path;
}

// The thumbnail pages and the gallery file lie in the folder of the gallery file name.
bool InGalleryFolder(const TUploadPage& page, const std::string& galleryFile) {
    if (page.PageNumber > 0) return true;
    return page.ImageNumber == 0 && page.SubDir.empty() && page.FileName == galleryFile;
}

}  // namespace

// "http://example.org" + "/" + "/" would double the separator of a root remote path, and
// an address typed with its closing "/" would double it before any remote path.
std::string GalleryAddress(const TGalleryUpload& upload) {
    std::string address = upload.WWWAddress;
    if (EndsWith(address, "/") && StartsWith(upload.RemotePath, "/")) address.pop_back();
    address += upload.RemotePath;
    if (!EndsWith(address, "/")) address += "/";
    if (!upload.SubDir.empty()) address += upload.SubDir + "/";
    std::string file = upload.HTMLFile;
    std::replace(file.begin(), file.end(), '\\', '/');
    return address + file;
}

TStringList GalleryUploadJobs(const TGalleryUpload& upload) {
    TJobWriter out;
    const std::string base = upload.HTMLDir;
    const TStringList imageLevels = FolderLevels(upload.ImageDir);
    const std::string images = JoinLevels(base, imageLevels);
    const TStringList galleryLevels = FolderLevels(ExtractFileDir(upload.HTMLFile));
    const std::string galleryFolder = JoinLevels(base, galleryLevels);
    const std::string galleryFile = ExtractFileName(upload.HTMLFile);
    if (!upload.SubDir.empty()) out.Add("WebChDir;" + upload.SubDir);
    out.Add("List;");
    for (const TUploadPage& page : upload.Pages) {
        const bool inGalleryFolder = InGalleryFolder(page, galleryFile);
        if (inGalleryFolder && galleryLevels.empty()) out.Up(base, page.FileName);
        if (!inGalleryFolder && page.ImageNumber == 0 && page.SubDir.empty())
            out.Up(base, page.FileName);
    }
    if (!galleryLevels.empty()) {
        out.Enter(galleryLevels);
        for (const TUploadPage& page : upload.Pages) {
            if (InGalleryFolder(page, galleryFile)) out.Up(galleryFolder, page.FileName);
        }
        out.Leave(galleryLevels);
    }
    out.Enter(imageLevels);
    for (const TUploadPage& page : upload.Pages) {
        if (page.ImageNumber > 0) out.Up(images, page.FileName);
    }
    for (const TUploadImage& image : upload.Images) {
        out.Up(images, image.Name);
        out.Up(images, image.ThumbName);
    }
    for (const std::string& path : upload.ExtraImages) out.Up(images, ExtractFileName(path));
    out.Leave(imageLevels);
    for (const TUploadPage& page : upload.Pages) {
        if (page.ImageNumber != 0 || page.PageNumber != 0 || page.SubDir.empty()) continue;
        out.Add("ChDir;" + page.SubDir);
        out.Up(JoinPath(base, page.SubDir), page.FileName);
        out.Add("ChDir;..");
    }
    for (const TUploadCopyFile& file : upload.CopyFiles) {
        if (!file.SubDir.empty()) out.Add("ChDir;" + file.SubDir);
        out.Up(JoinPath(base, file.SubDir), file.FileName);
        if (!file.SubDir.empty()) out.Add("ChDir;..");
    }
    out.Add("List;");
    if (!Trim(upload.WWWAddress).empty()) out.Add("Browser;" + GalleryAddress(upload));
    return out.Jobs;
}

void UploadGallery(TFtpJobQueue& queue, const TGalleryUpload* upload) {
    if (queue.Working()) return;
    if (!queue.Connected())
        throw EUserInputError("Not connected. Please connect to your homepage.");
    if (upload == nullptr) throw EUserInputError("No Gallery computed!");
    queue.ChangeLocalDir(upload->HTMLDir);
    const TStringList jobs = GalleryUploadJobs(*upload);
    queue.Jobs.insert(queue.Jobs.end(), jobs.begin(), jobs.end());
    queue.RunNextJob();
}

}  // namespace fsc
