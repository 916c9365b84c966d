// Reading the local gallery folder and comparing it with the manifest.
#include "ftp/SyncPlan.h"

#include <QCryptographicHash>
#include <QFile>
#include <algorithm>
#include <filesystem>
#include <set>

#include "base/Errors.h"
#include "base/Text.h"

namespace fsc {

namespace {

TManifestEntry HashFile(const std::filesystem::path& path) {
    QFile file(QFile::decodeName(QByteArray::fromStdString(path.string())));
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!file.open(QIODevice::ReadOnly) || !hash.addData(&file)) {
        throw EFSC_Exception("Cannot read the file " + path.string() + ".");
    }
    return {std::uint64_t(file.size()), hash.result().toHex().toStdString()};
}

bool IsSyncOwnFile(const std::string& name) {
    return name == SyncManifestName || EndsWith(name, SyncPartSuffix);
}

std::string Plural(std::size_t count, const std::string& word) {
    return std::to_string(count) + " " + word + (count == 1 ? "" : "s");
}

}  // namespace

std::vector<TSyncFile> GalleryFolderFiles(const std::string& folder) {
    namespace fs = std::filesystem;
    std::vector<TSyncFile> files;
    std::error_code error;
    fs::recursive_directory_iterator walk(folder, error), end;
    if (error) throw EFSC_Exception("Cannot read the folder " + folder + ".");
    for (; walk != end; walk.increment(error)) {
        if (error) throw EFSC_Exception("Cannot read the folder " + folder + ".");
        if (!walk->is_regular_file() || IsSyncOwnFile(walk->path().filename().string())) continue;
        const std::string path = walk->path().lexically_relative(folder).generic_string();
        files.push_back({path, walk->path().string(), HashFile(walk->path())});
    }
    std::sort(files.begin(), files.end(),
              [](const TSyncFile& a, const TSyncFile& b) { return a.Path < b.Path; });
    return files;
}

TSyncPlan PlanSync(const std::vector<TSyncFile>& files, const TSyncManifest& manifest) {
    TSyncPlan plan;
    std::set<std::string> present;
    for (const TSyncFile& file : files) {
        present.insert(file.Path);
        const auto known = manifest.find(file.Path);
        if (known != manifest.end() && known->second == file.Entry) {
            ++plan.Unchanged;
        } else {
            plan.Send.push_back(file);
        }
    }
    for (const auto& [path, entry] : manifest) {
        if (!present.count(path)) plan.Delete.push_back(path);
    }
    return plan;
}

std::string PlanSummary(const TSyncPlan& plan) {
    return Plural(plan.Send.size(), "file") + " to send, " + std::to_string(plan.Delete.size()) +
           " to delete, " + std::to_string(plan.Unchanged) + " unchanged.";
}

}  // namespace fsc
